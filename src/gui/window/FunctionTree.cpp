#include "gui/window/FunctionTree.h"

#include "core/preset/FunctionNames.h"
#include "gui/widgets/CoreText.h"

#include <QIcon>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int KindRole = Qt::UserRole;
constexpr int IndexRole = Qt::UserRole + 1;
} // namespace

FunctionTree::FunctionTree(QWidget *parent) : QWidget(parent), m_tree(new QTreeWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    m_tree->setObjectName("functionTree");
    // The window's area keys focus the tree as a whole.
    setFocusProxy(m_tree);

    m_tree->setColumnCount(1);
    m_tree->setHeaderHidden(true);
    m_tree->setAccessibleName(tr("Functions"));
    m_tree->setLineWidth(1);

    m_rootItem = new QTreeWidgetItem(QStringList{FunctionNames::root()});
    m_rootItem->setIcon(0, QIcon(":/res/ValdaneLogo-2.png"));
    m_rootItem->setData(0, KindRole, NoSelection);
    m_rootItem->setData(0, IndexRole, 0);
    m_tree->addTopLevelItem(m_rootItem);

    QTreeWidgetItem *config =
        addItem(m_rootItem, FunctionNames::unitConfig(), ":/res/configure-3.png");
    addItem(config, FunctionNames::general(), ":/res/settings-2.png", ConfigPage, 0);
    addItem(config, FunctionNames::gpioConfig(), ":/res/connect-3.ico", ConfigPage, 1);
    addItem(config, FunctionNames::midiConfig(), ":/res/midicontrol2-2.png", ConfigPage, 2);

    QTreeWidgetItem *inputs =
        addItem(m_rootItem, FunctionNames::inputTriggers(), ":/res/connect-3.ico");
    const QStringList inputNames = FunctionNames::inputNames();
    for (int i = 0; i < inputNames.size(); ++i)
        addItem(inputs, inputNames[i], i < 8 ? ":/res/connect-3.ico" : ":/res/record-3.png",
                InputTrigger, i);

    QTreeWidgetItem *switches = addItem(m_rootItem, FunctionNames::switches(), ":/res/stop-5.png");
    const QStringList switchNames = FunctionNames::switchNames();
    for (int i = 0; i < switchNames.size(); ++i)
        addItem(switches, switchNames[i], ":/res/stop-5.png", UnitControl, i);

    QTreeWidgetItem *macros = addItem(m_rootItem, FunctionNames::macros(), ":/res/numbering-2.ico");
    const QStringList macroNames = FunctionNames::macroNames();
    for (int i = 0; i < macroNames.size(); ++i)
        addItem(macros, macroNames[i], ":/res/numbering-2.ico", MacroList, i);

    m_tree->expandAll();

    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &FunctionTree::treeClicked);
}

QTreeWidgetItem *FunctionTree::addItem(QTreeWidgetItem *parent, const QString &text,
                                       const QString &icon, SlotListKind kind, int index)
{
    auto *item = new QTreeWidgetItem(parent, {CoreText::display(text)});
    item->setIcon(0, QIcon(icon));
    item->setData(0, KindRole, kind);
    item->setData(0, IndexRole, index);
    return item;
}

void FunctionTree::treeClicked()
{
    // Clearing the tree's selection programmatically can leave no current item.
    if (QTreeWidgetItem *item = m_tree->currentItem())
        emit functionSelected(static_cast<SlotListKind>(item->data(0, KindRole).toInt()),
                              item->data(0, IndexRole).toInt());
}
