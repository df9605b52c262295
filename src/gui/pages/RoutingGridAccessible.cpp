#include "gui/pages/RoutingGridAccessible.h"

#include "core/preset/RoutingMatrix.h"
#include "gui/pages/RoutingGrid.h"
#include "gui/pages/RoutingGridCellAccessible.h"

#include <utility>

RoutingGridAccessible::RoutingGridAccessible(RoutingGrid *grid)
    : QAccessibleWidget(grid, QAccessible::Table)
{
}

RoutingGridAccessible::~RoutingGridAccessible()
{
    for (QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface *RoutingGridAccessible::create(const QString &className, QObject *object)
{
    if (className == QLatin1String("RoutingGrid") && object && object->isWidgetType())
        return new RoutingGridAccessible(static_cast<RoutingGrid *>(object));
    return nullptr;
}

RoutingGrid *RoutingGridAccessible::grid() const
{
    return static_cast<RoutingGrid *>(widget());
}

void *RoutingGridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

int RoutingGridAccessible::rowCount() const
{
    return RoutingMatrix::Rows;
}

int RoutingGridAccessible::columnCount() const
{
    return RoutingMatrix::Columns;
}

QString RoutingGridAccessible::rowDescription(int row) const
{
    return grid()->rowLabel(row);
}

QString RoutingGridAccessible::columnDescription(int column) const
{
    return grid()->columnLabel(column);
}

int RoutingGridAccessible::childCount() const
{
    return RoutingMatrix::Rows * RoutingMatrix::Columns;
}

QAccessibleInterface *RoutingGridAccessible::cellAt(int row, int column) const
{
    if (!RoutingMatrix::contains(row, column))
        return nullptr;
    const int index = row * RoutingMatrix::Columns + column;
    auto found = m_cells.constFind(index);
    if (found != m_cells.constEnd())
        return QAccessible::accessibleInterface(*found);
    auto *cell = new RoutingGridCellAccessible(grid(), row, column);
    m_cells.insert(index, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

QAccessibleInterface *RoutingGridAccessible::child(int index) const
{
    return cellAt(index / RoutingMatrix::Columns, index % RoutingMatrix::Columns);
}

int RoutingGridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    const auto *cell = const_cast<QAccessibleInterface *>(child)->tableCellInterface();
    if (!cell || child->parent() != this)
        return -1;
    return cell->rowIndex() * RoutingMatrix::Columns + cell->columnIndex();
}

QAccessibleInterface *RoutingGridAccessible::childAt(int x, int y) const
{
    int row = 0;
    int column = 0;
    if (grid()->hitTest(grid()->mapFromGlobal(QPoint(x, y)), row, column))
        return cellAt(row, column);
    return nullptr;
}

QAccessibleInterface *RoutingGridAccessible::focusChild() const
{
    if (!grid()->hasFocus() || grid()->focusRow() < 0)
        return nullptr;
    return cellAt(grid()->focusRow(), grid()->focusColumn());
}
