#include "core/preset/FunctionNames.h"

QStringList FunctionNames::inputNames()
{
    QStringList names;
    for (int i = 1; i <= 8; ++i)
        names << QStringLiteral(QT_TRANSLATE_NOOP("Preset", "GPI %1")).arg(i);
    for (int i = 1; i <= 3; ++i)
        names << QStringLiteral(QT_TRANSLATE_NOOP("Preset", "XLR %1 (GPI %2)")).arg(i).arg(i + 8);
    return names;
}

QStringList FunctionNames::switchNames()
{
    return {QStringLiteral(QT_TRANSLATE_NOOP("Preset", "Front Switch A")),
            QStringLiteral(QT_TRANSLATE_NOOP("Preset", "Front Switch B")),
            QStringLiteral(QT_TRANSLATE_NOOP("Preset", "Remote Switch A")),
            QStringLiteral(QT_TRANSLATE_NOOP("Preset", "Remote Switch B"))};
}

QStringList FunctionNames::macroNames()
{
    QStringList names;
    for (int i = 1; i <= 12; ++i)
        names << QStringLiteral(QT_TRANSLATE_NOOP("Preset", "Macro %1")).arg(i);
    return names;
}
