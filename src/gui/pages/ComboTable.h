#pragma once

#include "core/preset/PresetSetting.h"

#include <QList>
#include <QStringList>
#include <QWidget>

class QStandardItemModel;
class QTreeView;
class QVBoxLayout;

// A flat table of named rows. Column 0 names the row; every further column
// edits one setting per row through a combo box of that setting's items. The
// GPI and relay tables are two of these, each built from the settings table.
//
// A value the items cannot show (read from a file or a unit) leaves its cell
// empty, and an empty cell writes nothing back, so such a value survives
// until the user picks an item for it. Every cell edit raises tableChanged();
// loading raises nothing.
class ComboTable : public QWidget
{
    Q_OBJECT
public:
    // The header of each column, the name and icon of each row, and row by
    // row the setting of each column after the first.
    struct Content
    {
        QStringList headers;
        QStringList rows;
        QStringList icons;
        QList<PresetSetting> cells;
    };

    // Debounce time and switch polarity of the eleven inputs (GPI 1-8, XLR 1-3).
    static Content gpiContent();
    // Pulse duration and boot-up state of the four relays.
    static Content relayContent();

    explicit ComboTable(const Content &content, const PresetImage &image,
                        QWidget *parent = nullptr);

    void loadFromImage(const PresetImage &image);
    void applyToImage(PresetImage &image) const;
    void setCell(int row, int column, const QString &text);

    QTreeView *tableView() const { return m_view; }
    QStandardItemModel *tableModel() const { return m_model; }

signals:
    void tableChanged();

private:
    int valueColumns() const { return m_content.headers.size() - 1; }
    const PresetSetting &cellSetting(int row, int valueColumn) const;

    Content m_content;
    QTreeView *m_view = nullptr;
    QStandardItemModel *m_model = nullptr;
    QVBoxLayout *m_layout = nullptr;
    bool m_loading = false;
};
