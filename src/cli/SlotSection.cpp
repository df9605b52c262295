#include "cli/SlotSection.h"

#include "core/preset/FunctionNames.h"

QList<SlotSection> SlotSection::all()
{
    return {
        {FunctionNames::inputTriggers(), PresetImage::TriggerSlots, FunctionNames::inputNames()},
        {FunctionNames::switches(), PresetImage::SwitchSlots, FunctionNames::switchNames()},
        {FunctionNames::macros(), PresetImage::MacroSlots, FunctionNames::macroNames()}};
}

QString SlotSection::hiddenListName()
{
    return QStringLiteral("Trigger List 12");
}
