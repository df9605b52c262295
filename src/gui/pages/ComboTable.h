#pragma once

#include "core/preset/PresetImage.h"

#include <QList>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QIcon;
class QStandardItemModel;
class QTreeView;
class QVBoxLayout;

// A flat table of named rows. Column 0 names the row; every further column
// edits one element per row of a model region through a combo box of fixed
// texts. The GPI and relay tables are built on it.
//
// A value the texts cannot show (read from a file or a unit) leaves its cell
// empty, and an empty cell writes nothing back, so such a value survives
// until the user picks an item for it.
class ComboTable : public QWidget
{
    Q_OBJECT
public:
    void loadFromImage(const PresetImage &image);
    void applyToImage(PresetImage &image) const;
    void setCell(int row, int column, const QString &text);

    QTreeView *tableView() const { return view; }
    QStandardItemModel *tableModel() const { return model; }

signals:
    void tableChanged();

protected:
    struct ValueColumn
    {
        QString header;
        PresetImage::Region region;
        QStringList texts;
        // The value stored for each text; empty when the text's position is stored.
        QVector<int> values;
    };

    ComboTable(const QString &nameHeader, const QStringList &rowNames,
               const QList<ValueColumn> &columns, QWidget *parent);

    // Fills column 0. Called by the derived constructor, which knows the icons.
    void setRowNames();
    virtual QIcon rowIcon(int row) const = 0;
    // What the derived table's change slot forwards: edits, not loading.
    void reportChange();

private:
    int valueOf(const ValueColumn &column, int position) const;
    int positionOf(const ValueColumn &column, int value) const;

    QStringList rowNames;
    QList<ValueColumn> columns;
    QTreeView *view = nullptr;
    QStandardItemModel *model = nullptr;
    QVBoxLayout *layout = nullptr;
    bool loading = false;
};
