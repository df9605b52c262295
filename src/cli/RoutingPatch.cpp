#include "cli/RoutingPatch.h"

#include "core/preset/PresetSettings.h"

QList<RoutingPatch> RoutingPatch::all()
{
    return {{PresetSettings::patchNames().at(0), PresetImage::RoutingPatchA},
            {PresetSettings::patchNames().at(1), PresetImage::RoutingPatchB}};
}
