#include "gui/window/FunctionTree.h"

#include "core/preset/FunctionNames.h"

#include <QIcon>
#include <QTreeWidget>
#include <QVBoxLayout>

FunctionTree::FunctionTree(QWidget *parent) : QWidget(parent), tree(new QTreeWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tree);

    tree->setColumnCount(1);
    tree->setHeaderHidden(true);
    tree->setLineWidth(1);

    rootItem = new QTreeWidgetItem(QStringList{FunctionNames::root()});
    rootItem->setIcon(0, QIcon(":/res/ValdaneLogo-2.png"));
    tree->addTopLevelItem(rootItem);

    QTreeWidgetItem *config =
        addItem(rootItem, FunctionNames::unitConfig(), ":/res/configure-3.png");
    addItem(config, FunctionNames::general(), ":/res/settings-2.png");
    addItem(config, FunctionNames::gpioConfig(), ":/res/connect-3.ico");
    addItem(config, FunctionNames::midiConfig(), ":/res/midicontrol2-2.png");

    QTreeWidgetItem *inputs =
        addItem(rootItem, FunctionNames::inputTriggers(), ":/res/connect-3.ico");
    const QStringList inputNames = FunctionNames::inputNames();
    for (int i = 0; i < inputNames.size(); ++i)
        addItem(inputs, inputNames[i], i < 8 ? ":/res/connect-3.ico" : ":/res/record-3.png");

    QTreeWidgetItem *switches = addItem(rootItem, FunctionNames::switches(), ":/res/stop-5.png");
    for (const QString &name : FunctionNames::switchNames())
        addItem(switches, name, ":/res/stop-5.png");

    QTreeWidgetItem *macros = addItem(rootItem, FunctionNames::macros(), ":/res/numbering-2.ico");
    for (const QString &name : FunctionNames::macroNames())
        addItem(macros, name, ":/res/numbering-2.ico");

    tree->expandAll();

    connect(tree, &QTreeWidget::itemSelectionChanged, this, &FunctionTree::treeClicked);
}

QTreeWidgetItem *FunctionTree::addItem(QTreeWidgetItem *parent, const QString &text,
                                       const QString &icon)
{
    auto *item = new QTreeWidgetItem(parent, {text});
    item->setIcon(0, QIcon(icon));
    return item;
}

void FunctionTree::treeClicked()
{
    // Clearing the tree's selection programmatically can leave no current item.
    if (QTreeWidgetItem *item = tree->currentItem())
        emit functionSelectionChanged(item->text(0));
}
