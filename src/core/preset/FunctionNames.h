#pragma once

#include <QString>
#include <QStringList>

// The texts of the navigation tree. The main window maps a selected text back
// to a page or slot list by comparing it with these, so both take them from here.
class FunctionNames
{
public:
    static QString root() { return QStringLiteral("RSX-4"); }
    static QString unitConfig() { return QStringLiteral("Unit Config"); }
    static QString general() { return QStringLiteral("General"); }
    static QString gpioConfig() { return QStringLiteral("GPIO Config"); }
    static QString midiConfig() { return QStringLiteral("MIDI Config"); }
    static QString inputTriggers() { return QStringLiteral("Input Triggers"); }
    static QString switches() { return QStringLiteral("Switches"); }
    static QString macros() { return QStringLiteral("Macros"); }

    // "GPI 1" ... "GPI 8", "XLR 1 (GPI 9)" ... "XLR 3 (GPI 11)"
    static QStringList inputNames();
    static QStringList switchNames();
    // "Macro 1" ... "Macro 12"
    static QStringList macroNames();
};
