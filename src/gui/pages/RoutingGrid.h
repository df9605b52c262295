#pragma once

#include "core/preset/RoutingMatrix.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

// One MIDI routing patch drawn as sources (rows) by destinations (columns).
// A click, or Space on the focus cell, routes a source to a destination and
// is reported by cellToggled(); the MIDI page reads the cells when it is
// applied. The arrow keys, Home and End move the focus cell over the cells
// that can be routed.
class RoutingGrid : public QWidget
{
    Q_OBJECT
public:
    // Width of the label bands along the left and top edges.
    static constexpr int LabelBand = 79;
    static constexpr int GridWidth = 280;
    static constexpr int MinimumGridHeight = 224;

    // `paletteSource` gives the grid its colours (the main window); the
    // grid's own palette is used once it is gone.
    explicit RoutingGrid(QWidget *paletteSource, QWidget *parent = nullptr);

    int cellValue(int row, int column) const;
    // Does not repaint: the caller fills the grid and then asks for one update.
    void setCellValue(int row, int column, int value);

    // The cell under a point in widget coordinates; false over the label
    // bands or below and right of the last cell.
    bool hitTest(const QPoint &pos, int &row, int &column) const;

    QSize sizeHint() const override;

    QString rowLabel(int row) const { return m_rowLabels.value(row); }
    QString columnLabel(int column) const { return m_columnLabels.value(column); }
    // What a screen reader says for a cell: its source and destination.
    QString cellName(int row, int column) const;
    QRect cellRect(int row, int column) const;

    // The cell Space toggles; the first routable cell until one is chosen.
    int focusRow() const;
    int focusColumn() const;
    // Toggles as a click does; false for a cell that cannot be routed.
    bool toggleCell(int row, int column);

signals:
    // A click changed a cell; setCellValue() does not raise it.
    void cellToggled(int row, int column);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int columnWidth() const;
    int rowHeight() const;
    QFont labelFont() const;
    bool routable(int row, int column) const;
    // The chosen focus cell, or the first routable one once loaded cells
    // made the chosen one unroutable; false when no cell can be routed.
    bool focusCell(int &row, int &column) const;
    void moveFocusTo(int row, int column);
    // The next routable cell from (row, column) in steps of (dRow, dColumn).
    bool nextRoutable(int &row, int &column, int dRow, int dColumn) const;

    const QStringList m_rowLabels = RoutingMatrix::sourceNames();
    const QStringList m_columnLabels = RoutingMatrix::destinationNames();
    RoutingMatrix m_cells;
    int m_hoverRow = -1;
    int m_hoverColumn = -1;
    bool m_hoverPending = false;
    bool m_hoverShown = false;
    int m_focusRow = 0;
    int m_focusColumn = 0;
    QPointer<QWidget> m_paletteSource;
};
