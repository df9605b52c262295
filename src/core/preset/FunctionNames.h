#pragma once

#include <QString>
#include <QStringList>

// The names of the inputs, switches and macros as the navigation tree shows
// them; the title line, the event descriptions and the command-line tool use
// the same words, so all take them from here.
class FunctionNames
{
public:
    static QString root() { return QStringLiteral("RSX-4"); }
    static QString unitConfig()
    {
        return QStringLiteral(QT_TRANSLATE_NOOP("Preset", "Unit Config"));
    }
    static QString general() { return QStringLiteral(QT_TRANSLATE_NOOP("Preset", "General")); }
    static QString gpioConfig()
    {
        return QStringLiteral(QT_TRANSLATE_NOOP("Preset", "GPIO Config"));
    }
    static QString midiConfig()
    {
        return QStringLiteral(QT_TRANSLATE_NOOP("Preset", "MIDI Config"));
    }
    static QString inputTriggers()
    {
        return QStringLiteral(QT_TRANSLATE_NOOP("Preset", "Input Triggers"));
    }
    static QString switches() { return QStringLiteral(QT_TRANSLATE_NOOP("Preset", "Switches")); }
    static QString macros() { return QStringLiteral(QT_TRANSLATE_NOOP("Preset", "Macros")); }

    // "GPI 1" ... "GPI 8", "XLR 1 (GPI 9)" ... "XLR 3 (GPI 11)"
    static QStringList inputNames();
    static QStringList switchNames();
    // "Macro 1" ... "Macro 12"
    static QStringList macroNames();
};
