#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

// Counts the paint events of a widget and of the children it has now, to
// show that something was, or was not, redrawn.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *root)
    {
        root->installEventFilter(this);
        for (QWidget *child : root->findChildren<QWidget *>())
            child->installEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
