#pragma once

#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

// The navigation tree on the left of the main window. It announces the text of
// every newly selected entry, category entries included; the main window
// decides from the text which page or slot list to show.
class FunctionTree : public QWidget
{
    Q_OBJECT
public:
    explicit FunctionTree(QWidget *parent = nullptr);

signals:
    void functionSelectionChanged(QString text);

public slots:
    void treeClicked();

private:
    QTreeWidgetItem *addItem(QTreeWidgetItem *parent, const QString &text, const QString &icon);

    QTreeWidget *tree = nullptr;
    QTreeWidgetItem *rootItem = nullptr;
};
