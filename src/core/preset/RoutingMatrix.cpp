#include "core/preset/RoutingMatrix.h"

const QStringList &RoutingMatrix::sourceNames()
{
    static const QStringList names{"MIDI IN 1", "MIDI IN 2", "USB A",
                                   "USB B",     "MERGE OUT", "EXPANSION"};
    return names;
}

const QStringList &RoutingMatrix::destinationNames()
{
    static const QStringList names{"MIDI OUT A", "MIDI OUT B", "MIDI OUT C", "MIDI OUT D",
                                   "USB A",      "USB B",      "MERGE IN 1", "MERGE IN 2"};
    return names;
}

bool RoutingMatrix::contains(int row, int column)
{
    return row >= 0 && row < Rows && column >= 0 && column < Columns;
}

int RoutingMatrix::value(int row, int column) const
{
    return contains(row, column) ? m_cells[row][column] : 0;
}

void RoutingMatrix::setValue(int row, int column, int value)
{
    if (contains(row, column))
        m_cells[row][column] = value;
}

bool RoutingMatrix::toggle(int row, int column)
{
    if (!contains(row, column) || m_cells[row][column] == Unroutable)
        return false;
    for (int r = 0; r < Rows; ++r) {
        if (r != row && m_cells[r][column] != Unroutable)
            m_cells[r][column] = 0;
    }
    m_cells[row][column] = m_cells[row][column] == 1 ? 0 : 1;
    return true;
}
