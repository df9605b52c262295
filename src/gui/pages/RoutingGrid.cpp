#include "gui/pages/RoutingGrid.h"

#include <QFontInfo>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QColor BallShade(44, 69, 102);
const QColor HoverOutline(88, 138, 204);
constexpr int LabelMargin = 6;
constexpr qreal SmallestLabelSize = 5.0;
constexpr qreal LabelSizeStep = 0.5;
} // namespace

RoutingGrid::RoutingGrid(QWidget *paletteSource, QWidget *parent)
    : QWidget(parent), m_paletteSource(paletteSource)
{
    setMouseTracking(true);
    setFixedWidth(GridWidth);
    setMinimumHeight(MinimumGridHeight);
}

int RoutingGrid::cellValue(int row, int column) const
{
    return m_cells.value(row, column);
}

void RoutingGrid::setCellValue(int row, int column, int value)
{
    m_cells.setValue(row, column, value);
}

int RoutingGrid::columnWidth() const
{
    return (width() - LabelBand) / RoutingMatrix::Columns;
}

int RoutingGrid::rowHeight() const
{
    return (height() - LabelBand) / RoutingMatrix::Rows;
}

bool RoutingGrid::hitTest(const QPoint &pos, int &row, int &column) const
{
    const int x = pos.x() - LabelBand;
    const int y = pos.y() - LabelBand;
    if (x < 0 || y < 0 || columnWidth() <= 0 || rowHeight() <= 0)
        return false;
    row = y / rowHeight();
    column = x / columnWidth();
    return row < RoutingMatrix::Rows && column < RoutingMatrix::Columns;
}

QFont RoutingGrid::labelFont() const
{
    // The bands are fixed in pixels; a large desktop font must not cut the names.
    QFont labels = font();
    if (labels.pointSizeF() <= 0)
        labels.setPointSizeF(QFontInfo(labels).pointSizeF());
    const QStringList names = m_rowLabels + m_columnLabels;
    auto widest = [&names](const QFontMetrics &metrics) {
        int width = 0;
        for (const QString &name : names)
            width = qMax(width, metrics.horizontalAdvance(name));
        return width;
    };
    while (widest(QFontMetrics(labels)) > LabelBand - LabelMargin &&
           labels.pointSizeF() > SmallestLabelSize)
        labels.setPointSizeF(labels.pointSizeF() - LabelSizeStep);
    return labels;
}

QSize RoutingGrid::sizeHint() const
{
    return QSize(GridWidth, MinimumGridHeight);
}

void RoutingGrid::mousePressEvent(QMouseEvent *event)
{
    int row = 0;
    int column = 0;
    if (!hitTest(event->pos(), row, column) || !m_cells.toggle(row, column))
        return;
    m_hoverRow = row;
    m_hoverColumn = column;
    m_hoverPending = true;
    update();
    emit cellToggled(row, column);
}

void RoutingGrid::mouseMoveEvent(QMouseEvent *event)
{
    int row = 0;
    int column = 0;
    if (hitTest(event->pos(), row, column)) {
        // Moving within the outlined cell changes nothing on screen.
        if (m_hoverShown && row == m_hoverRow && column == m_hoverColumn)
            return;
        m_hoverRow = row;
        m_hoverColumn = column;
        m_hoverPending = true;
        update();
    } else if (m_hoverShown) {
        update();
    }
}

void RoutingGrid::leaveEvent(QEvent *)
{
    if (m_hoverShown)
        update();
}

void RoutingGrid::paintEvent(QPaintEvent *)
{
    const QPalette &colours = m_paletteSource ? m_paletteSource->palette() : palette();
    const QColor base = colours.color(QPalette::Active, QPalette::Base);
    const QColor text = colours.color(QPalette::Active, QPalette::Text);
    const int w = width();
    const int h = height();
    const int colW = columnWidth();
    const int rowH = rowHeight();

    QPainter painter(this);
    painter.save();

    painter.setPen(Qt::NoPen);
    painter.setBrush(base);
    painter.drawRect(LabelBand, LabelBand, w - LabelBand, h - LabelBand);

    painter.setPen(QPen(text, 2));
    painter.drawLine(LabelBand, 0, LabelBand, h);
    painter.drawLine(0, LabelBand, w, LabelBand);

    painter.setPen(QPen(text, 1));
    painter.setFont(labelFont());
    for (int k = 1; k < RoutingMatrix::Columns; ++k)
        painter.drawLine(LabelBand + k * colW, 0, LabelBand + k * colW, h);
    painter.drawLine(w - 1, 0, w - 1, h);
    for (int k = 1; k < RoutingMatrix::Rows; ++k)
        painter.drawLine(0, LabelBand + k * rowH, w, LabelBand + k * rowH);
    painter.drawLine(0, h - 1, w, h - 1);

    for (int r = 0; r < RoutingMatrix::Rows; ++r)
        painter.drawText(QRect(0, LabelBand + r * rowH, LabelBand, rowH), Qt::AlignCenter,
                         m_rowLabels.at(r));
    // Destination names read upwards in the top band.
    painter.rotate(-90);
    for (int c = 0; c < RoutingMatrix::Columns; ++c)
        painter.drawText(QRect(-LabelBand, LabelBand + c * colW, LabelBand, colW), Qt::AlignCenter,
                         m_columnLabels.at(c));
    painter.rotate(90);

    m_hoverShown = false;
    for (int r = 0; r < RoutingMatrix::Rows; ++r) {
        for (int c = 0; c < RoutingMatrix::Columns; ++c) {
            const int x = LabelBand + 1 + c * colW;
            const int y = LabelBand + 1 + r * rowH;
            const int value = m_cells.value(r, c);
            if (value == 1) {
                const QRectF ball(x + 2, y + 2, colW - 6, rowH - 6);
                QLinearGradient shade(ball.topLeft(), ball.bottomRight());
                shade.setColorAt(0, Qt::white);
                shade.setColorAt(1, BallShade);
                painter.setPen(Qt::NoPen);
                painter.setBrush(shade);
                painter.setRenderHint(QPainter::Antialiasing, true);
                painter.drawEllipse(ball);
                painter.setRenderHint(QPainter::Antialiasing, false);
            } else if (value == RoutingMatrix::Unroutable) {
                painter.fillRect(x, y, colW - 1, rowH - 1, Qt::gray);
                continue;
            }
            if (m_hoverPending && r == m_hoverRow && c == m_hoverColumn) {
                painter.setPen(QPen(HoverOutline, 2));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(x, y, colW - 1, rowH - 1);
                m_hoverPending = false;
                m_hoverShown = true;
            }
        }
    }

    painter.restore();
}
