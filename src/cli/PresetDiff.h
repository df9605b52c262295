#pragma once

#include <QStringList>
#include <QVector>

class PresetImage;

// What differs between two presets, one line per setting or slot: its label,
// the old value and the new one, in the window's words. Where the words agree
// but the bytes do not (two SysEx messages of the same length), the line
// gives the fields instead.
class PresetDiff
{
public:
    struct Entry
    {
        QString label;
        QString words;  // as the window shows it
        QString fields; // everything that is stored
    };
    static QVector<Entry> entries(const PresetImage &image);
    static QStringList compare(const PresetImage &before, const PresetImage &after);
};
