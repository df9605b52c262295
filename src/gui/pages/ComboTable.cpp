#include "gui/pages/ComboTable.h"

#include "core/preset/PresetSettings.h"
#include "gui/pages/ComboDelegate.h"

#include <QHeaderView>
#include <QIcon>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
constexpr int GpiInputs = 8;
} // namespace

ComboTable::Content ComboTable::gpiContent()
{
    Content content{
        PresetSettings::gpiHeaders(), PresetSettings::gpiRows(), {}, PresetSettings::gpiTable()};
    for (int row = 0; row < content.rows.size(); ++row)
        content.icons << (row < GpiInputs ? ":/res/connect-3.ico" : ":/res/record-3.png");
    return content;
}

ComboTable::Content ComboTable::relayContent()
{
    Content content{PresetSettings::relayHeaders(),
                    PresetSettings::relayRows(),
                    {},
                    PresetSettings::relayTable()};
    for (int row = 0; row < content.rows.size(); ++row)
        content.icons << ":/res/switch-network.png";
    return content;
}

ComboTable::ComboTable(const Content &content, const PresetImage &image, QWidget *parent)
    : QWidget(parent), content(content)
{
    view = new QTreeView(this);
    model = new QStandardItemModel(content.rows.size(), content.headers.size(), this);
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->header()->setStretchLastSection(false);
    // Wide enough for the header texts and for the combo box editors.
    view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout = new QVBoxLayout(this);

    // Every row of a column offers the same items: the first row's.
    for (int c = 0; c < valueColumns(); ++c)
        view->setItemDelegateForColumn(c + 1, new ComboDelegate(cellSetting(0, c).items, this));
    model->setHorizontalHeaderLabels(content.headers);
    layout->addWidget(view);

    for (int row = 0; row < content.rows.size(); ++row)
        setCell(row, 0, content.rows.at(row));
    loadFromImage(image);
    connect(model, &QStandardItemModel::dataChanged, this, [this] {
        if (!loading)
            emit tableChanged();
    });
}

const PresetSetting &ComboTable::cellSetting(int row, int valueColumn) const
{
    return content.cells.at(row * valueColumns() + valueColumn);
}

void ComboTable::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= model->rowCount() || column < 0 || column >= model->columnCount())
        return;
    QStandardItem *item = model->item(row, column);
    if (!item) {
        item = new QStandardItem;
        model->setItem(row, column, item);
    }
    item->setData(text, Qt::EditRole);
    if (column == 0) {
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        item->setIcon(QIcon(content.icons.value(row)));
    }
}

void ComboTable::loadFromImage(const PresetImage &image)
{
    loading = true;
    for (int c = 0; c < valueColumns(); ++c) {
        for (int row = 0; row < content.rows.size(); ++row) {
            const PresetSetting &setting = cellSetting(row, c);
            const int item = setting.itemOf(image);
            setCell(row, c + 1, item >= 0 ? setting.items.at(item) : QString());
        }
    }
    loading = false;
}

void ComboTable::applyToImage(PresetImage &image) const
{
    for (int c = 0; c < valueColumns(); ++c) {
        for (int row = 0; row < content.rows.size(); ++row) {
            const PresetSetting &setting = cellSetting(row, c);
            const int item = setting.items.indexOf(model->index(row, c + 1).data().toString());
            if (item >= 0)
                setting.setItem(image, item);
        }
    }
}
