#pragma once

#include <QStringList>

// What the unit's firmware strings 2 to 10 are, as the device info dialog
// captions them ("Device:" ... "Expansion Type:"); string 1 is the unit's name.
class FirmwareStringNames
{
public:
    static const QStringList &captions();
};
