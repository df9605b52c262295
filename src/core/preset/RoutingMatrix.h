#pragma once

#include <QStringList>

// The cells of one MIDI routing patch: six sources (rows) by eight
// destinations (columns). A cell holds 1 (routed), 0 (not routed) or -1
// (unroutable). Each destination takes at most one source.
class RoutingMatrix
{
public:
    static constexpr int Rows = 6;
    static constexpr int Columns = 8;
    static constexpr int Unroutable = -1;

    // "MIDI IN 1" ... "EXPANSION" and "MIDI OUT A" ... "MERGE IN 2"
    static const QStringList &sourceNames();
    static const QStringList &destinationNames();

    static bool contains(int row, int column);
    int value(int row, int column) const;
    void setValue(int row, int column, int value);

    // The click rule: routes the source to the destination, dropping the
    // destination's other source, or unroutes it if it was routed. Returns
    // false, changing nothing, for an unroutable or non-existent cell.
    bool toggle(int row, int column);

private:
    int m_cells[Rows][Columns] = {};
};
