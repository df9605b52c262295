#include "core/preset/PresetSetting.h"

#include "core/preset/DurationCode.h"

namespace {

constexpr int ByteMax = 255;
constexpr int NibbleMax = 15;
constexpr int NibbleShift = 4;

} // namespace

int PresetSetting::storedValue(const PresetImage &image) const
{
    const int value = image.value(region, index);
    switch (rule) {
    case Rule::LowNibble:
        return value & NibbleMax;
    case Rule::HighNibble:
        return (value >> NibbleShift) & NibbleMax;
    default:
        return value;
    }
}

void PresetSetting::setStoredValue(PresetImage &image, int value) const
{
    const int old = image.value(region, index);
    switch (rule) {
    case Rule::LowNibble:
        image.setValue(region, index, (old & ~NibbleMax) | (value & NibbleMax));
        break;
    case Rule::HighNibble:
        image.setValue(region, index,
                       (old & ~(NibbleMax << NibbleShift)) | ((value & NibbleMax) << NibbleShift));
        break;
    default:
        image.setValue(region, index, value);
        break;
    }
}

int PresetSetting::maxStoredValue() const
{
    return rule == Rule::LowNibble || rule == Rule::HighNibble ? NibbleMax : ByteMax;
}

int PresetSetting::itemOf(const PresetImage &image) const
{
    const int value = storedValue(image);
    const bool inRange = value >= 0 && value < items.size();
    switch (rule) {
    case Rule::IndexOrNone:
        return inRange ? value : 0;
    case Rule::NonZero:
        return value != 0 ? 1 : 0;
    case Rule::Duration:
        return DurationCode::indexOf(value);
    case Rule::OneChecked:
        return value == 1 ? 1 : 0;
    default:
        return inRange ? value : -1;
    }
}

int PresetSetting::valueOfItem(int item) const
{
    if (rule == Rule::Duration)
        return DurationCode::values().value(item, -1);
    return item;
}

QString PresetSetting::text(const PresetImage &image) const
{
    const int item = itemOf(image);
    return item >= 0 ? items.at(item) : QString::number(storedValue(image));
}

bool PresetSetting::isEncoded(const PresetImage &image) const
{
    const int item = itemOf(image);
    return item >= 0 && valueOfItem(item) == storedValue(image);
}
