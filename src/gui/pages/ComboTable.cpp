#include "gui/pages/ComboTable.h"

#include "core/preset/PresetSettings.h"
#include "gui/pages/ComboDelegate.h"
#include "gui/widgets/CoreText.h"

#include <QHeaderView>
#include <QIcon>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
constexpr int GpiInputs = 8;

// The cells hold the items as shown; applyToImage() finds them again in the same list.
QList<PresetSetting> translated(QList<PresetSetting> cells)
{
    for (PresetSetting &cell : cells)
        cell.items = CoreText::display(cell.items);
    return cells;
}
} // namespace

ComboTable::Content ComboTable::gpiContent()
{
    Content content{CoreText::display(PresetSettings::gpiHeaders()),
                    CoreText::display(PresetSettings::gpiRows()),
                    {},
                    translated(PresetSettings::gpiTable())};
    for (int row = 0; row < content.rows.size(); ++row)
        content.icons << (row < GpiInputs ? ":/res/connect-3.ico" : ":/res/record-3.png");
    return content;
}

ComboTable::Content ComboTable::relayContent()
{
    Content content{CoreText::display(PresetSettings::relayHeaders()),
                    CoreText::display(PresetSettings::relayRows()),
                    {},
                    translated(PresetSettings::relayTable())};
    for (int row = 0; row < content.rows.size(); ++row)
        content.icons << ":/res/switch-network.png";
    return content;
}

ComboTable::ComboTable(const Content &content, const PresetImage &image, QWidget *parent)
    : QWidget(parent), m_content(content)
{
    m_view = new QTreeView(this);
    m_model = new QStandardItemModel(content.rows.size(), content.headers.size(), this);
    m_view->setModel(m_model);
    m_view->setRootIsDecorated(false);
    // From the keyboard: Left and Right reach the value cells, and F2 or a
    // typed letter opens a cell's choice.
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setEditTriggers(m_view->editTriggers() | QAbstractItemView::AnyKeyPressed);
    m_view->header()->setStretchLastSection(false);
    // Wide enough for the header texts and for the combo box editors.
    m_view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_layout = new QVBoxLayout(this);

    // Every row of a column offers the same items: the first row's.
    for (int c = 0; c < valueColumns(); ++c)
        m_view->setItemDelegateForColumn(c + 1, new ComboDelegate(cellSetting(0, c).items, this));
    m_model->setHorizontalHeaderLabels(content.headers);
    m_layout->addWidget(m_view);

    for (int row = 0; row < content.rows.size(); ++row)
        setCell(row, 0, content.rows.at(row));
    loadFromImage(image);
    connect(m_model, &QStandardItemModel::dataChanged, this, [this] {
        if (!m_loading)
            emit tableChanged();
    });
}

const PresetSetting &ComboTable::cellSetting(int row, int valueColumn) const
{
    return m_content.cells.at(row * valueColumns() + valueColumn);
}

void ComboTable::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= m_model->rowCount() || column < 0 || column >= m_model->columnCount())
        return;
    QStandardItem *item = m_model->item(row, column);
    if (!item) {
        item = new QStandardItem;
        m_model->setItem(row, column, item);
    }
    item->setData(text, Qt::EditRole);
    if (column == 0) {
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        item->setIcon(QIcon(m_content.icons.value(row)));
    }
}

void ComboTable::loadFromImage(const PresetImage &image)
{
    m_loading = true;
    for (int c = 0; c < valueColumns(); ++c) {
        for (int row = 0; row < m_content.rows.size(); ++row) {
            const PresetSetting &setting = cellSetting(row, c);
            const int item = setting.itemOf(image);
            setCell(row, c + 1, item >= 0 ? setting.items.at(item) : QString());
        }
    }
    m_loading = false;
}

void ComboTable::applyToImage(PresetImage &image) const
{
    for (int c = 0; c < valueColumns(); ++c) {
        for (int row = 0; row < m_content.rows.size(); ++row) {
            const PresetSetting &setting = cellSetting(row, c);
            const int item = setting.items.indexOf(m_model->index(row, c + 1).data().toString());
            if (item >= 0)
                setting.setItem(image, item);
        }
    }
}
