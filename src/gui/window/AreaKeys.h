#pragma once

#include <QObject>

class QScrollArea;
class QStackedWidget;
class QWidget;

// F6 and Shift+F6 move the keyboard focus between the window's three areas:
// the function tree, the page and the device-link panel. Within an area Tab
// and the area's own arrow keys go on as usual.
class AreaKeys : public QObject
{
    Q_OBJECT
public:
    AreaKeys(QWidget *window, QWidget *tree, QScrollArea *pageScroll, QStackedWidget *pageStack,
             QWidget *panel);

    // Focus to the next area (`step` 1) or the one before (-1).
    void switchArea(int step);

private:
    QWidget *m_tree = nullptr;
    QScrollArea *m_pageScroll = nullptr;
    QStackedWidget *m_pageStack = nullptr;
    QWidget *m_panel = nullptr;
};
