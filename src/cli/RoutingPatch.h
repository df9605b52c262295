#pragma once

#include "core/preset/PresetImage.h"

#include <QList>
#include <QString>

// The two MIDI routing patches, each by the name the MIDI page gives it.
struct RoutingPatch
{
    QString name;
    PresetImage::Region region;

    static QList<RoutingPatch> all();
};
