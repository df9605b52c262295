#include "core/preset/PresetSettings.h"

#include "core/preset/DurationCode.h"
#include "core/preset/FunctionNames.h"

namespace {

constexpr int MidiChannels = 16;

QStringList numbers(int from, int to)
{
    QStringList list;
    for (int n = from; n <= to; ++n)
        list << QString::number(n);
    return list;
}

PresetSetting make(const QString &name, const QStringList &items, PresetImage::Region region,
                   int index, PresetSetting::Rule rule)
{
    PresetSetting s;
    s.name = name;
    s.items = items;
    s.region = region;
    s.index = index;
    s.rule = rule;
    return s;
}

QList<PresetSetting> table(const QStringList &rows, const QStringList &headers,
                           PresetImage::Region first, const QStringList &firstItems,
                           PresetImage::Region second, const QStringList &secondItems)
{
    QList<PresetSetting> list;
    for (int r = 0; r < rows.size(); ++r) {
        for (PresetSetting s :
             {make(headers.at(1), firstItems, first, r, PresetSetting::Rule::Duration),
              make(headers.at(2), secondItems, second, r, PresetSetting::Rule::Index)}) {
            s.row = rows.at(r);
            list << s;
        }
    }
    return list;
}

} // namespace

const PresetSetting &PresetSettings::setting(Id id)
{
    using Rule = PresetSetting::Rule;
    static const QList<PresetSetting> all = [] {
        const QStringList macros =
            QStringList{QT_TRANSLATE_NOOP("Preset", "<No Action>")} + FunctionNames::macroNames();
        QList<PresetSetting> list;
        list << make(QT_TRANSLATE_NOOP("Preset", "Setup Macro"), macros, PresetImage::ConfigBlock,
                     15, Rule::IndexOrNone)
             << make(QT_TRANSLATE_NOOP("Preset", "Initial State"), macros, PresetImage::ConfigBlock,
                     7, Rule::Index)
             << make(QT_TRANSLATE_NOOP("Preset", "Video HPD Function"),
                     {QT_TRANSLATE_NOOP("Preset", "Normal (Display Controlled)"),
                      QT_TRANSLATE_NOOP("Preset", "Hold (RSX-4 Controlled)")},
                     PresetImage::ConfigBlock, 2, Rule::NonZero)
             << make(QT_TRANSLATE_NOOP("Preset", "MIDI Channel Override"),
                     QStringList{QT_TRANSLATE_NOOP("Preset", "Off")} + numbers(1, MidiChannels),
                     PresetImage::ConfigBlock, 14, Rule::Index)
             << make(QT_TRANSLATE_NOOP("Preset", "Switch Double Press Limit"),
                     DurationCode::texts(), PresetImage::DoublePressLimit, 0, Rule::Duration)
             << make(QT_TRANSLATE_NOOP("Preset", "Baud Rate"),
                     {"2400", "4800", "9600", "14400", "19200", "38400", "57600", "115200",
                      "230400", "460800"},
                     PresetImage::SerialConfig, 0, Rule::Index)
             << make(QT_TRANSLATE_NOOP("Preset", "Parity"),
                     {QT_TRANSLATE_NOOP("Preset", "None"), QT_TRANSLATE_NOOP("Preset", "Odd"),
                      QT_TRANSLATE_NOOP("Preset", "Even")},
                     PresetImage::SerialConfig, 1, Rule::Index)
             << make(QT_TRANSLATE_NOOP("Preset", "Port A"),
                     {QT_TRANSLATE_NOOP("Preset", "MIDI IN 1"),
                      QT_TRANSLATE_NOOP("Preset", "MIDI OUT A")},
                     PresetImage::ConfigBlock, 8, Rule::OneChecked)
             << make(QT_TRANSLATE_NOOP("Preset", "Port B"),
                     {QT_TRANSLATE_NOOP("Preset", "MIDI IN 2"),
                      QT_TRANSLATE_NOOP("Preset", "MIDI OUT B")},
                     PresetImage::ConfigBlock, 9, Rule::OneChecked)
             << make(QT_TRANSLATE_NOOP("Preset", "MIDI Control Port"),
                     {QT_TRANSLATE_NOOP("Preset", "<Disabled>"),
                      QT_TRANSLATE_NOOP("Preset", "Input 1"),
                      QT_TRANSLATE_NOOP("Preset", "Input 2"),
                      QT_TRANSLATE_NOOP("Preset", "Expansion")},
                     PresetImage::ConfigBlock, 3, Rule::HighNibble)
             << make(QT_TRANSLATE_NOOP("Preset", "MIDI Control Channel"), numbers(1, MidiChannels),
                     PresetImage::ConfigBlock, 3, Rule::LowNibble);
        return list;
    }();
    return all.at(id);
}

QList<PresetSetting> PresetSettings::general()
{
    return {setting(SetupMacro),      setting(InitialState),     setting(VideoHpd),
            setting(ChannelOverride), setting(DoublePressLimit), setting(BaudRate),
            setting(Parity)};
}

QList<PresetSetting> PresetSettings::midi()
{
    return {setting(PortA), setting(PortB), setting(ControlPort), setting(ControlChannel)};
}

QList<PresetSetting> PresetSettings::gpiTable()
{
    return table(gpiRows(), gpiHeaders(), PresetImage::GpiDebounce, DurationCode::texts(),
                 PresetImage::GpiPolarity, polarityTexts());
}

QList<PresetSetting> PresetSettings::relayTable()
{
    return table(relayRows(), relayHeaders(), PresetImage::RelayPulse, DurationCode::texts(),
                 PresetImage::RelayBootState, relayStateTexts());
}

const QStringList &PresetSettings::gpiRows()
{
    static const QStringList rows = [] {
        QStringList list;
        for (int i = 1; i <= 8; ++i)
            list << QStringLiteral(QT_TRANSLATE_NOOP("Preset", "GPI %1")).arg(i);
        return list << QT_TRANSLATE_NOOP("Preset", "XLR 1") << QT_TRANSLATE_NOOP("Preset", "XLR 2")
                    << QT_TRANSLATE_NOOP("Preset", "XLR 3");
    }();
    return rows;
}

const QStringList &PresetSettings::gpiHeaders()
{
    static const QStringList headers{QT_TRANSLATE_NOOP("Preset", "GPI Channel"),
                                     QT_TRANSLATE_NOOP("Preset", "Debounce Time"),
                                     QT_TRANSLATE_NOOP("Preset", "Switch Polarity")};
    return headers;
}

const QStringList &PresetSettings::polarityTexts()
{
    static const QStringList texts{QT_TRANSLATE_NOOP("Preset", "On Press"),
                                   QT_TRANSLATE_NOOP("Preset", "On Release")};
    return texts;
}

const QStringList &PresetSettings::relayRows()
{
    static const QStringList rows{
        QT_TRANSLATE_NOOP("Preset", "Relay 1"), QT_TRANSLATE_NOOP("Preset", "Relay 2"),
        QT_TRANSLATE_NOOP("Preset", "Relay 3"), QT_TRANSLATE_NOOP("Preset", "Relay 4")};
    return rows;
}

const QStringList &PresetSettings::relayHeaders()
{
    static const QStringList headers{QT_TRANSLATE_NOOP("Preset", "Relay Num"),
                                     QT_TRANSLATE_NOOP("Preset", "Pulse Duration"),
                                     QT_TRANSLATE_NOOP("Preset", "Boot-up State")};
    return headers;
}

const QStringList &PresetSettings::relayStateTexts()
{
    static const QStringList texts{QT_TRANSLATE_NOOP("Preset", "Relay OFF"),
                                   QT_TRANSLATE_NOOP("Preset", "Relay ON")};
    return texts;
}

const QStringList &PresetSettings::groupOutputs()
{
    static const QStringList names{
        QT_TRANSLATE_NOOP("Preset", "MIDI OUT A"), QT_TRANSLATE_NOOP("Preset", "MIDI OUT B"),
        QT_TRANSLATE_NOOP("Preset", "MIDI OUT C"), QT_TRANSLATE_NOOP("Preset", "MIDI OUT D")};
    return names;
}

const QStringList &PresetSettings::groupNames()
{
    static const QStringList names{
        QT_TRANSLATE_NOOP("Preset", "Group 1"), QT_TRANSLATE_NOOP("Preset", "Group 2"),
        QT_TRANSLATE_NOOP("Preset", "Group 3"), QT_TRANSLATE_NOOP("Preset", "Group 4")};
    return names;
}

const QStringList &PresetSettings::patchNames()
{
    static const QStringList names{QT_TRANSLATE_NOOP("Preset", "MIDI Routing Patch A"),
                                   QT_TRANSLATE_NOOP("Preset", "MIDI Routing Patch B")};
    return names;
}

void PresetSettings::settle(PresetImage &image)
{
    const QList<PresetSetting> all = general() + midi() + gpiTable() + relayTable();
    for (const PresetSetting &s : all) {
        const int item = s.itemOf(image);
        if (item >= 0)
            s.setItem(image, item);
    }
    image.buildImage();
    image.parseImage();
}
