#pragma once

#include "core/preset/PresetImage.h"

#include <QString>

// The preset name and description: 16 Latin-1 codes each, 0 meaning "no
// character". A 0 is skipped rather than ending the text, because presets
// written elsewhere may hold characters after one.
class PresetText
{
public:
    static constexpr int Length = PresetImage::TextLength;

    static QString read(const PresetImage &image, PresetImage::Region region);
    // Writes all 16 codes: the text cut to 16 characters, padded with 0. A
    // character Latin-1 cannot hold is stored as '?'.
    static void write(PresetImage &image, PresetImage::Region region, const QString &text);
};
