#include "gui/pages/ComboTable.h"

#include "gui/pages/ComboDelegate.h"

#include <QHeaderView>
#include <QIcon>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

ComboTable::ComboTable(const QString &nameHeader, const QStringList &rowNames,
                       const QList<ValueColumn> &columns, QWidget *parent)
    : QWidget(parent), rowNames(rowNames), columns(columns)
{
    view = new QTreeView(this);
    model = new QStandardItemModel(rowNames.size(), columns.size() + 1, this);
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->header()->setStretchLastSection(false);
    // Wide enough for the header texts and for the combo box editors.
    view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout = new QVBoxLayout(this);

    QStringList headers{nameHeader};
    for (int c = 0; c < columns.size(); ++c) {
        headers << columns.at(c).header;
        view->setItemDelegateForColumn(c + 1, new ComboDelegate(columns.at(c).texts, this));
    }
    model->setHorizontalHeaderLabels(headers);
    layout->addWidget(view);
}

void ComboTable::setRowNames()
{
    for (int row = 0; row < rowNames.size(); ++row)
        setCell(row, 0, rowNames.at(row));
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
        item->setIcon(rowIcon(row));
    }
}

void ComboTable::loadFromImage(const PresetImage &image)
{
    loading = true;
    for (int c = 0; c < columns.size(); ++c) {
        const ValueColumn &column = columns.at(c);
        for (int row = 0; row < rowNames.size(); ++row) {
            const int position = positionOf(column, image.value(column.region, row));
            setCell(row, c + 1, position >= 0 ? column.texts.at(position) : QString());
        }
    }
    loading = false;
}

void ComboTable::applyToImage(PresetImage &image) const
{
    for (int c = 0; c < columns.size(); ++c) {
        const ValueColumn &column = columns.at(c);
        for (int row = 0; row < rowNames.size(); ++row) {
            const int position = column.texts.indexOf(model->index(row, c + 1).data().toString());
            if (position >= 0)
                image.setValue(column.region, row, valueOf(column, position));
        }
    }
}

void ComboTable::reportChange()
{
    if (!loading)
        emit tableChanged();
}

int ComboTable::valueOf(const ValueColumn &column, int position) const
{
    return column.values.isEmpty() ? position : column.values.at(position);
}

int ComboTable::positionOf(const ValueColumn &column, int value) const
{
    if (!column.values.isEmpty())
        return column.values.indexOf(value);
    return value >= 0 && value < column.texts.size() ? value : -1;
}
