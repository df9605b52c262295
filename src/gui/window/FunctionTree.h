#pragma once

#include "core/events/EventStore.h"

#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

// The navigation tree on the left of the main window. Every entry carries what
// it addresses: a configuration page or an event list by kind and index, and
// category entries no selection. A newly selected entry announces that, so the
// window never has to read meaning out of the display text.
class FunctionTree : public QWidget
{
    Q_OBJECT
public:
    explicit FunctionTree(QWidget *parent = nullptr);

signals:
    void functionSelected(SlotListKind kind, int index);

public slots:
    void treeClicked();

private:
    QTreeWidgetItem *addItem(QTreeWidgetItem *parent, const QString &text, const QString &icon,
                             SlotListKind kind = NoSelection, int index = 0);

    QTreeWidget *m_tree = nullptr;
    QTreeWidgetItem *m_rootItem = nullptr;
};
