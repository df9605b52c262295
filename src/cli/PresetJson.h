#pragma once

#include <QJsonObject>
#include <QString>

class JsonFields;
class PresetImage;

// The whole preset as JSON: the settings of the General, GPIO and MIDI pages by
// their labels with the values the pages show, the events of every non-empty
// slot list under their slots, the records no shown slot names, and the bytes
// no page edits but every save carries. Import of an export gives back the
// same model, so the same saved bytes.
class PresetJson
{
public:
    static constexpr int FormatVersion = 1;

    static QJsonObject toJson(const PresetImage &image);
    // Fills the model of `image` from `json`; the first missing or malformed
    // field goes to `fields`, and the image is then of no use.
    static void fromJson(const QJsonObject &json, PresetImage &image, JsonFields &fields);

    // The members of the document a reader of an export looks into.
    static QString generalKey();
    static QString midiKey();
    static QString eventsKey();
    // Within eventsKey(): the records no shown slot names.
    static QString unlistedKey();
    static QString carriedKey();
};
