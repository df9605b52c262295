#include "core/device/FirmwareStringNames.h"

const QStringList &FirmwareStringNames::captions()
{
    static const QStringList list{
        "Device:",    "Version:",   "Main CPU:",  "Sub GPI:",       "Sub USB/A:",
        "Sub USB/B:", "FPGA Core:", "Expansion:", "Expansion Type:"};
    return list;
}
