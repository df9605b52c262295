#include "core/preset/DurationCode.h"

const QStringList &DurationCode::texts()
{
    static const QStringList list{"50ms", "100ms", "200ms", "500ms", "1.0s", "1.5s", "2.0s"};
    return list;
}

const QVector<int> &DurationCode::values()
{
    static const QVector<int> list{5, 10, 20, 50, 100, 150, 200};
    return list;
}

int DurationCode::indexOf(int code)
{
    return values().indexOf(code);
}
