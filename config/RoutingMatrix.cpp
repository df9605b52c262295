#include "RoutingMatrix.h"

bool RoutingMatrix::contains(int row, int column)
{
    return row >= 0 && row < Rows && column >= 0 && column < Columns;
}

int RoutingMatrix::value(int row, int column) const
{
    return contains(row, column) ? cells[row][column] : 0;
}

void RoutingMatrix::setValue(int row, int column, int value)
{
    if (contains(row, column))
        cells[row][column] = value;
}

bool RoutingMatrix::toggle(int row, int column)
{
    if (!contains(row, column) || cells[row][column] == Unroutable)
        return false;
    for (int r = 0; r < Rows; ++r) {
        if (r != row && cells[r][column] != Unroutable)
            cells[r][column] = 0;
    }
    cells[row][column] = cells[row][column] == 1 ? 0 : 1;
    return true;
}
