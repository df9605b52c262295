#include "core/device/FirmwareStringNames.h"

const QStringList &FirmwareStringNames::captions()
{
    static const QStringList list{
        QT_TRANSLATE_NOOP("Preset", "Device:"),        QT_TRANSLATE_NOOP("Preset", "Version:"),
        QT_TRANSLATE_NOOP("Preset", "Main CPU:"),      QT_TRANSLATE_NOOP("Preset", "Sub GPI:"),
        QT_TRANSLATE_NOOP("Preset", "Sub USB/A:"),     QT_TRANSLATE_NOOP("Preset", "Sub USB/B:"),
        QT_TRANSLATE_NOOP("Preset", "FPGA Core:"),     QT_TRANSLATE_NOOP("Preset", "Expansion:"),
        QT_TRANSLATE_NOOP("Preset", "Expansion Type:")};
    return list;
}
