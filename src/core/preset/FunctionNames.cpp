#include "core/preset/FunctionNames.h"

QStringList FunctionNames::inputNames()
{
    QStringList names;
    for (int i = 1; i <= 8; ++i)
        names << QStringLiteral("GPI %1").arg(i);
    for (int i = 1; i <= 3; ++i)
        names << QStringLiteral("XLR %1 (GPI %2)").arg(i).arg(i + 8);
    return names;
}

QStringList FunctionNames::switchNames()
{
    return {QStringLiteral("Front Switch A"), QStringLiteral("Front Switch B"),
            QStringLiteral("Remote Switch A"), QStringLiteral("Remote Switch B")};
}

QStringList FunctionNames::macroNames()
{
    QStringList names;
    for (int i = 1; i <= 12; ++i)
        names << QStringLiteral("Macro %1").arg(i);
    return names;
}
