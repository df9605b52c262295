#include "core/preset/PresetText.h"

namespace {
constexpr int MaxLatin1 = 255;
constexpr int Replacement = '?';
} // namespace

QString PresetText::read(const PresetImage &image, PresetImage::Region region)
{
    QString text;
    for (int i = 0; i < Length; ++i) {
        const int code = image.value(region, i);
        if (code > 0 && code <= MaxLatin1)
            text.append(QChar(code));
    }
    return text;
}

void PresetText::write(PresetImage &image, PresetImage::Region region, const QString &text)
{
    // Code points rather than UTF-16 units, so a character outside the basic
    // plane becomes one '?' and not two.
    const QVector<uint> codePoints = text.toUcs4();
    for (int i = 0; i < Length; ++i) {
        int code = 0;
        if (i < codePoints.size())
            code = codePoints.at(i) <= MaxLatin1 ? static_cast<int>(codePoints.at(i)) : Replacement;
        image.setValue(region, i, code);
    }
}
