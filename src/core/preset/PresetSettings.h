#pragma once

#include "core/preset/PresetSetting.h"

#include <QList>
#include <QStringList>

// The settings the pages and the command-line tool share, by name and in the
// pages' order, and the texts of the tables and groups around them.
class PresetSettings
{
public:
    enum Id {
        SetupMacro,
        InitialState,
        VideoHpd,
        ChannelOverride,
        DoublePressLimit,
        BaudRate,
        Parity,
        PortA,
        PortB,
        ControlPort,
        ControlChannel,
        IdCount
    };

    static const PresetSetting &setting(Id id);
    // The General page's settings in the page's order, then the MIDI page's.
    static QList<PresetSetting> general();
    static QList<PresetSetting> midi();
    // Per table row: its column settings, rows in order.
    static QList<PresetSetting> gpiTable();
    static QList<PresetSetting> relayTable();

    // What loading and saving in the window does to the model: every setting
    // the pages show is stored back as its item, and the image is built and
    // parsed again.
    static void settle(PresetImage &image);

    static QString presetName()
    {
        return QStringLiteral(QT_TRANSLATE_NOOP("Preset", "Preset Name"));
    }
    static QString presetDescription()
    {
        return QStringLiteral(QT_TRANSLATE_NOOP("Preset", "Preset Description"));
    }

    // The titles of the groups around the two tables and the routing groups.
    static QString gpiTitle()
    {
        return QStringLiteral(QT_TRANSLATE_NOOP("Preset", "GPI Configuration"));
    }
    static QString relayTitle()
    {
        return QStringLiteral(QT_TRANSLATE_NOOP("Preset", "Relay Configuration"));
    }
    static QString groupsTitle()
    {
        return QStringLiteral(QT_TRANSLATE_NOOP("Preset", "MIDI Routing Groups"));
    }

    // "GPI 1" ... "GPI 8", "XLR 1" ... "XLR 3", as the GPI table names them.
    static const QStringList &gpiRows();
    static const QStringList &gpiHeaders();
    static const QStringList &polarityTexts();
    static const QStringList &relayRows();
    static const QStringList &relayHeaders();
    static const QStringList &relayStateTexts();

    // "MIDI OUT A" ... "MIDI OUT D": the outputs of a routing group.
    static const QStringList &groupOutputs();
    // "Group 1" ... "Group 4"
    static const QStringList &groupNames();
    // "MIDI Routing Patch A", "MIDI Routing Patch B"
    static const QStringList &patchNames();
};
