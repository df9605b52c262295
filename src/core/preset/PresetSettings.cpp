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
        const QStringList macros = QStringList{"<No Action>"} + FunctionNames::macroNames();
        QList<PresetSetting> list;
        list << make("Setup Macro", macros, PresetImage::ConfigBlock, 15, Rule::IndexOrNone)
             << make("Initial State", macros, PresetImage::ConfigBlock, 7, Rule::Index)
             << make("Video HPD Function",
                     {"Normal (Display Controlled)", "Hold (RSX-4 Controlled)"},
                     PresetImage::ConfigBlock, 2, Rule::NonZero)
             << make("MIDI Channel Override", QStringList{"Off"} + numbers(1, MidiChannels),
                     PresetImage::ConfigBlock, 14, Rule::Index)
             << make("Switch Double Press Limit", DurationCode::texts(),
                     PresetImage::DoublePressLimit, 0, Rule::Duration)
             << make("Baud Rate",
                     {"2400", "4800", "9600", "14400", "19200", "38400", "57600", "115200",
                      "230400", "460800"},
                     PresetImage::SerialConfig, 0, Rule::Index)
             << make("Parity", {"None", "Odd", "Even"}, PresetImage::SerialConfig, 1, Rule::Index)
             << make("Port A", {"MIDI IN 1", "MIDI OUT A"}, PresetImage::ConfigBlock, 8,
                     Rule::OneChecked)
             << make("Port B", {"MIDI IN 2", "MIDI OUT B"}, PresetImage::ConfigBlock, 9,
                     Rule::OneChecked)
             << make("MIDI Control Port", {"<Disabled>", "Input 1", "Input 2", "Expansion"},
                     PresetImage::ConfigBlock, 3, Rule::HighNibble)
             << make("MIDI Control Channel", numbers(1, MidiChannels), PresetImage::ConfigBlock, 3,
                     Rule::LowNibble);
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
            list << QStringLiteral("GPI %1").arg(i);
        return list << "XLR 1"
                    << "XLR 2"
                    << "XLR 3";
    }();
    return rows;
}

const QStringList &PresetSettings::gpiHeaders()
{
    static const QStringList headers{"GPI Channel", "Debounce Time", "Switch Polarity"};
    return headers;
}

const QStringList &PresetSettings::polarityTexts()
{
    static const QStringList texts{"On Press", "On Release"};
    return texts;
}

const QStringList &PresetSettings::relayRows()
{
    static const QStringList rows{"Relay 1", "Relay 2", "Relay 3", "Relay 4"};
    return rows;
}

const QStringList &PresetSettings::relayHeaders()
{
    static const QStringList headers{"Relay Num", "Pulse Duration", "Boot-up State"};
    return headers;
}

const QStringList &PresetSettings::relayStateTexts()
{
    static const QStringList texts{"Relay OFF", "Relay ON"};
    return texts;
}

const QStringList &PresetSettings::groupOutputs()
{
    static const QStringList names{"MIDI OUT A", "MIDI OUT B", "MIDI OUT C", "MIDI OUT D"};
    return names;
}

const QStringList &PresetSettings::groupNames()
{
    static const QStringList names{"Group 1", "Group 2", "Group 3", "Group 4"};
    return names;
}

const QStringList &PresetSettings::patchNames()
{
    static const QStringList names{"MIDI Routing Patch A", "MIDI Routing Patch B"};
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
