#include "gui/pages/RoutingGridCellAccessible.h"

#include "core/preset/RoutingMatrix.h"
#include "gui/pages/RoutingGrid.h"

#include <QWidget>

RoutingGridCellAccessible::RoutingGridCellAccessible(RoutingGrid *grid, int row, int column)
    : m_grid(grid), m_row(row), m_column(column)
{
}

bool RoutingGridCellAccessible::isValid() const
{
    return m_grid;
}

QWindow *RoutingGridCellAccessible::window() const
{
    return m_grid ? m_grid->window()->windowHandle() : nullptr;
}

QAccessibleInterface *RoutingGridCellAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_grid.data());
}

bool RoutingGridCellAccessible::routable() const
{
    return m_grid && m_grid->cellValue(m_row, m_column) != RoutingMatrix::Unroutable;
}

QString RoutingGridCellAccessible::text(QAccessible::Text t) const
{
    if (!m_grid)
        return QString();
    switch (t) {
    case QAccessible::Name:
        return routable()
                   ? m_grid->cellName(m_row, m_column)
                   : RoutingGrid::tr("%1, not routable").arg(m_grid->cellName(m_row, m_column));
    case QAccessible::Description:
        return routable() ? QString() : RoutingGrid::tr("This source cannot be routed here.");
    default:
        return QString();
    }
}

QRect RoutingGridCellAccessible::rect() const
{
    if (!m_grid)
        return QRect();
    const QRect cell = m_grid->cellRect(m_row, m_column);
    return QRect(m_grid->mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::State RoutingGridCellAccessible::state() const
{
    QAccessible::State state;
    if (!m_grid) {
        state.invalid = true;
        return state;
    }
    state.checkable = true;
    state.checked = m_grid->cellValue(m_row, m_column) == 1;
    state.disabled = !routable();
    state.focusable = routable();
    state.focused =
        m_grid->hasFocus() && m_grid->focusRow() == m_row && m_grid->focusColumn() == m_column;
    return state;
}

void *RoutingGridCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface *>(this);
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

QStringList RoutingGridCellAccessible::actionNames() const
{
    return routable() ? QStringList{toggleAction()} : QStringList();
}

void RoutingGridCellAccessible::doAction(const QString &actionName)
{
    if (actionName == toggleAction() && m_grid)
        m_grid->toggleCell(m_row, m_column);
}

QStringList RoutingGridCellAccessible::keyBindingsForAction(const QString &actionName) const
{
    return actionName == toggleAction() ? QStringList{QStringLiteral("Space")} : QStringList();
}
