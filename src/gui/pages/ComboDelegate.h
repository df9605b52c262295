#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

// Cell editor of the configuration tables: a combo box of fixed texts that
// writes the cell as soon as an item is chosen and then closes, so a table
// edit reaches the preset without the user having to leave the cell.
class ComboDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit ComboDelegate(const QStringList &items, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

public slots:
    void onComboClicked();

private:
    QStringList m_items;
};
