#pragma once

#include <QStringList>
#include <QVector>

// The unit stores debounce, double press and relay pulse times as codes in
// units of 10 ms. Only seven codes exist, and every editor offers them as the
// same seven items in this order.
class DurationCode
{
public:
    static const QStringList &texts();
    static const QVector<int> &values();
    // Item position of `code`, or -1 for a code the unit does not define.
    static int indexOf(int code);
};
