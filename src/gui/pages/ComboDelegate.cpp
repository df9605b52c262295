#include "gui/pages/ComboDelegate.h"

#include <QComboBox>

ComboDelegate::ComboDelegate(const QStringList &items, QObject *parent)
    : QStyledItemDelegate(parent), m_items(items)
{
}

QWidget *ComboDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                     const QModelIndex &index) const
{
    auto *combo = new QComboBox(parent);
    // Named after its column, as the cell it edits is.
    combo->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
    combo->addItems(m_items);
    return combo;
}

void ComboDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *combo = qobject_cast<QComboBox *>(editor);
    if (!combo)
        return;
    // The view calls this again when the cell changes under an open editor;
    // selecting the item must never count as a choice of the user.
    combo->disconnect(this);
    combo->setCurrentIndex(m_items.indexOf(index.data(Qt::EditRole).toString()));
    connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &ComboDelegate::onComboClicked);
}

void ComboDelegate::setModelData(QWidget *editor, QAbstractItemModel *model,
                                 const QModelIndex &index) const
{
    auto *combo = qobject_cast<QComboBox *>(editor);
    // A cell shown empty (a value the unit does not define) stays as it is
    // unless the user picked an item.
    if (!combo || combo->currentIndex() < 0)
        return;
    model->setData(index, combo->currentText(), Qt::EditRole);
}

void ComboDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                         const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

void ComboDelegate::onComboClicked()
{
    auto *combo = qobject_cast<QComboBox *>(sender());
    if (!combo)
        return;
    emit commitData(combo);
    emit closeEditor(combo);
}
