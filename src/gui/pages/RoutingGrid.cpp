#include "gui/pages/RoutingGrid.h"

#include "gui/pages/RoutingGridAccessible.h"

#include <QAccessible>
#include <QFontInfo>
#include <QKeyEvent>
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
    setFocusPolicy(Qt::StrongFocus);
    // Screen readers see every grid as a table of checkable cells; the
    // first grid made installs that view for all of them.
    static const bool installed = [] {
        QAccessible::installFactory(&RoutingGridAccessible::create);
        return true;
    }();
    Q_UNUSED(installed)
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

QRect RoutingGrid::cellRect(int row, int column) const
{
    return QRect(LabelBand + column * columnWidth(), LabelBand + row * rowHeight(), columnWidth(),
                 rowHeight());
}

QString RoutingGrid::cellName(int row, int column) const
{
    return tr("%1 to %2").arg(rowLabel(row), columnLabel(column));
}

bool RoutingGrid::routable(int row, int column) const
{
    return RoutingMatrix::contains(row, column) &&
           m_cells.value(row, column) != RoutingMatrix::Unroutable;
}

bool RoutingGrid::focusCell(int &row, int &column) const
{
    row = m_focusRow;
    column = m_focusColumn;
    if (routable(row, column))
        return true;
    for (row = 0; row < RoutingMatrix::Rows; ++row) {
        column = -1;
        if (nextRoutable(row, column, 0, 1))
            return true;
    }
    return false;
}

int RoutingGrid::focusRow() const
{
    int row = -1;
    int column = -1;
    return focusCell(row, column) ? row : -1;
}

int RoutingGrid::focusColumn() const
{
    int row = -1;
    int column = -1;
    return focusCell(row, column) ? column : -1;
}

bool RoutingGrid::nextRoutable(int &row, int &column, int dRow, int dColumn) const
{
    for (int r = row + dRow, c = column + dColumn;
         r >= 0 && c >= 0 && r < RoutingMatrix::Rows && c < RoutingMatrix::Columns;
         r += dRow, c += dColumn) {
        if (routable(r, c)) {
            row = r;
            column = c;
            return true;
        }
    }
    return false;
}

void RoutingGrid::moveFocusTo(int row, int column)
{
    m_focusRow = row;
    m_focusColumn = column;
    update();
    if (hasFocus() && QAccessible::isActive()) {
        QAccessibleEvent moved(this, QAccessible::Focus);
        moved.setChild(row * RoutingMatrix::Columns + column);
        QAccessible::updateAccessibility(&moved);
    }
}

bool RoutingGrid::toggleCell(int row, int column)
{
    if (!m_cells.toggle(row, column))
        return false;
    update();
    if (QAccessible::isActive()) {
        QAccessible::State checked;
        checked.checked = true;
        // A toggle may unroute another source of the same destination.
        for (int r = 0; r < RoutingMatrix::Rows; ++r) {
            QAccessibleStateChangeEvent changed(this, checked);
            changed.setChild(r * RoutingMatrix::Columns + column);
            QAccessible::updateAccessibility(&changed);
        }
    }
    emit cellToggled(row, column);
    return true;
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
    if (!hitTest(event->pos(), row, column) || !routable(row, column))
        return;
    m_hoverRow = row;
    m_hoverColumn = column;
    m_hoverPending = true;
    // Keyboard use goes on from the clicked cell.
    m_focusRow = row;
    m_focusColumn = column;
    toggleCell(row, column);
}

void RoutingGrid::keyPressEvent(QKeyEvent *event)
{
    int row = 0;
    int column = 0;
    if (!focusCell(row, column)) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
        nextRoutable(row, column, 0, -1);
        break;
    case Qt::Key_Right:
        nextRoutable(row, column, 0, 1);
        break;
    case Qt::Key_Up:
        nextRoutable(row, column, -1, 0);
        break;
    case Qt::Key_Down:
        nextRoutable(row, column, 1, 0);
        break;
    case Qt::Key_Home:
        column = -1;
        nextRoutable(row, column, 0, 1);
        break;
    case Qt::Key_End:
        column = RoutingMatrix::Columns;
        nextRoutable(row, column, 0, -1);
        break;
    case Qt::Key_Space:
        m_focusRow = row;
        m_focusColumn = column;
        toggleCell(row, column);
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    moveFocusTo(row, column);
}

void RoutingGrid::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    int row = 0;
    int column = 0;
    if (focusCell(row, column))
        moveFocusTo(row, column);
}

void RoutingGrid::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
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

    int focusRow = 0;
    int focusColumn = 0;
    if (hasFocus() && focusCell(focusRow, focusColumn)) {
        const QRect cell = cellRect(focusRow, focusColumn).adjusted(3, 3, -2, -2);
        painter.setPen(QPen(colours.color(QPalette::Active, QPalette::Highlight), 2, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(cell);
    }

    painter.restore();
}
