#include "cli/PresetJson.h"

#include "cli/EventJson.h"
#include "cli/JsonFields.h"
#include "cli/RoutingPatch.h"
#include "cli/SlotSection.h"
#include "core/events/HexText.h"
#include "core/preset/PresetImage.h"
#include "core/preset/PresetSettings.h"
#include "core/preset/PresetText.h"
#include "core/preset/RoutingMatrix.h"

#include <QJsonArray>
#include <QSet>

namespace {

const QString Format = QStringLiteral("Format");
const QString General = QStringLiteral("General");
const QString Gpio = QStringLiteral("GPIO");
const QString GpiTable = PresetSettings::gpiTitle();
const QString RelayTable = PresetSettings::relayTitle();
const QString Midi = QStringLiteral("MIDI");
const QString Groups = PresetSettings::groupsTitle();
const QString Events = QStringLiteral("Events");
const QString Unlisted = QStringLiteral("Unlisted Records");
const QString Carried = QStringLiteral("Carried");
const QString FixedConfig = QStringLiteral("Fixed Config Bytes");
const QString FixedSerial = QStringLiteral("Fixed Serial Bytes");
const QString Byte87 = QStringLiteral("Byte 87");
const QString Reserved = QStringLiteral("Reserved Lists");
const QString HiddenList = SlotSection::hiddenListName();

const int FixedConfigBytes[] = {0, 1, 4, 5, 6};
constexpr int FixedSerialFirst = 2;

QString join(const QString &path, const QString &key)
{
    return path + '/' + key;
}

QJsonValue settingJson(const PresetImage &image, const PresetSetting &s)
{
    const int item = s.itemOf(image);
    return item >= 0 ? QJsonValue(s.items.at(item)) : QJsonValue(s.storedValue(image));
}

void settingFromJson(const QJsonValue &value, const QString &path, const PresetSetting &s,
                     PresetImage &image, JsonFields &fields)
{
    if (value.isString()) {
        const int item = s.items.indexOf(value.toString());
        if (item < 0)
            fields.fail(
                path,
                QStringLiteral("\"%1\" is not an item of %2").arg(value.toString(), s.title()));
        else
            s.setItem(image, item);
        return;
    }
    s.setStoredValue(image, fields.integer(value, path, 0, s.maxStoredValue()));
}

// Text when the codes are the text followed by zeros, else the 16 codes.
QJsonValue textJson(const PresetImage &image, PresetImage::Region region)
{
    QJsonArray codes;
    bool gap = false;
    bool canonical = true;
    for (int i = 0; i < PresetText::Length; ++i) {
        const int code = image.value(region, i);
        canonical = canonical && !(gap && code != 0);
        gap = gap || code == 0;
        codes << code;
    }
    return canonical ? QJsonValue(PresetText::read(image, region)) : QJsonValue(codes);
}

void textFromJson(const QJsonValue &value, const QString &path, PresetImage::Region region,
                  PresetImage &image, JsonFields &fields)
{
    if (value.isString()) {
        const QString text = value.toString();
        if (text.size() > PresetText::Length || !HexText::isLatin1(text))
            fields.fail(
                path,
                QStringLiteral("needs at most %1 Latin-1 characters").arg(PresetText::Length));
        PresetText::write(image, region, text);
        return;
    }
    const QJsonArray codes = fields.array(value, path, PresetText::Length, PresetText::Length);
    for (int i = 0; i < codes.size(); ++i)
        image.setValue(region, i, fields.integer(codes.at(i), path, 0, JsonFields::ByteMax));
}

QString bytesJson(const PresetImage &image, PresetImage::Region region, int row, int from, int to)
{
    QByteArray bytes;
    for (int i = from; i < to; ++i)
        bytes.append(char(image.value(region, row, i)));
    return HexText::format(bytes);
}

QJsonObject tableJson(const PresetImage &image, const QList<PresetSetting> &settings)
{
    QJsonObject rows;
    for (const PresetSetting &s : settings) {
        QJsonObject row = rows.value(s.row).toObject();
        row[s.name] = settingJson(image, s);
        rows[s.row] = row;
    }
    return rows;
}

void tableFromJson(const QJsonObject &json, const QString &path,
                   const QList<PresetSetting> &settings, PresetImage &image, JsonFields &fields)
{
    QStringList rows;
    QHash<QString, QStringList> columns;
    for (const PresetSetting &s : settings) {
        const QString rowPath = join(path, s.row);
        const QJsonObject row = fields.object(fields.member(json, s.row, path), rowPath);
        settingFromJson(fields.member(row, s.name, rowPath), join(rowPath, s.name), s, image,
                        fields);
        if (!rows.contains(s.row))
            rows << s.row;
        columns[s.row] << s.name;
    }
    fields.onlyKnown(json, rows, path);
    for (const QString &row : rows)
        fields.onlyKnown(json.value(row).toObject(), columns.value(row), join(path, row));
}

QJsonObject eventsJson(const PresetImage &image)
{
    QJsonObject events;
    QSet<int> shown;
    for (const SlotSection &section : SlotSection::all()) {
        QJsonObject lists;
        for (int list = 0; list < section.lists.size(); ++list) {
            QJsonArray slotEvents;
            for (int slot = 0; slot < image.columns(section.table); ++slot) {
                const int code = image.value(section.table, list, slot);
                if (code == 0)
                    continue;
                QJsonObject event = EventJson::toJson(image, code);
                event["slot"] = slot + 1;
                slotEvents << event;
                shown << code;
            }
            if (!slotEvents.isEmpty())
                lists[section.lists.at(list)] = slotEvents;
        }
        events[section.title] = lists;
    }
    QJsonArray unlisted;
    for (int code = 1; code <= EventJson::LastCode; ++code) {
        const QVector<int> record = EventJson::recordOf(image, code);
        if (!shown.contains(code) && record.count(0) != record.size())
            unlisted << EventJson::toJson(image, code);
    }
    events[Unlisted] = unlisted;
    return events;
}

// Reads the events section: the slots of every list and the unlisted records,
// each record stored once whichever slots name it.
class EventReader
{
public:
    EventReader(PresetImage &image, JsonFields &fields) : m_image(image), m_fields(fields) {}

    void read(const QJsonObject &json, const QString &path);

private:
    void readSection(const QJsonObject &json, const QString &path, const SlotSection &section);
    void readList(const QJsonValue &value, const QString &path, PresetImage::Region table,
                  int list);
    void readUnlisted(const QJsonObject &json, const QString &path);
    EventJson::Event readEvent(const QJsonObject &json, const QString &path);

    PresetImage &m_image;
    JsonFields &m_fields;
    QHash<int, QVector<int>> m_records;
};

void EventReader::read(const QJsonObject &json, const QString &path)
{
    QStringList known{Unlisted};
    for (const SlotSection &section : SlotSection::all()) {
        known << section.title;
        readSection(json, path, section);
    }
    readUnlisted(json, path);
    m_fields.onlyKnown(json, known, path);
}

void EventReader::readSection(const QJsonObject &json, const QString &path,
                              const SlotSection &section)
{
    const QString sectionPath = join(path, section.title);
    const QJsonObject lists =
        m_fields.object(m_fields.member(json, section.title, path), sectionPath);
    m_fields.onlyKnown(lists, section.lists, sectionPath);
    for (int list = 0; list < section.lists.size(); ++list) {
        if (lists.contains(section.lists.at(list)))
            readList(lists[section.lists.at(list)], join(sectionPath, section.lists.at(list)),
                     section.table, list);
    }
}

void EventReader::readList(const QJsonValue &value, const QString &path, PresetImage::Region table,
                           int list)
{
    const QJsonArray slotEvents = m_fields.array(value, path);
    for (int i = 0; i < slotEvents.size(); ++i) {
        const QString eventPath = join(path, QString::number(i + 1));
        const QJsonObject json = m_fields.object(slotEvents.at(i), eventPath);
        const int slot = m_fields.integer(m_fields.member(json, "slot", eventPath),
                                          join(eventPath, "slot"), 1, m_image.columns(table)) -
                         1;
        if (m_fields.ok() && m_image.value(table, list, slot) != 0)
            m_fields.fail(join(eventPath, "slot"),
                          QStringLiteral("slot %1 given twice").arg(slot + 1));
        QJsonObject fieldsOfEvent = json;
        fieldsOfEvent.remove("slot");
        const EventJson::Event event = readEvent(fieldsOfEvent, eventPath);
        if (m_fields.ok())
            m_image.setValue(table, list, slot, event.code);
    }
}

void EventReader::readUnlisted(const QJsonObject &json, const QString &path)
{
    const QString unlistedPath = join(path, Unlisted);
    const QJsonArray unlisted = m_fields.array(m_fields.member(json, Unlisted, path), unlistedPath);
    for (int i = 0; i < unlisted.size(); ++i) {
        const QString eventPath = join(unlistedPath, QString::number(i + 1));
        const EventJson::Event event =
            readEvent(m_fields.object(unlisted.at(i), eventPath), eventPath);
        if (m_fields.ok() && event.record.isEmpty())
            m_fields.fail(eventPath, QStringLiteral("code %1 has no record").arg(event.code));
    }
}

EventJson::Event EventReader::readEvent(const QJsonObject &json, const QString &path)
{
    const EventJson::Event event = EventJson::fromJson(json, path, m_fields);
    if (!m_fields.ok() || event.record.isEmpty())
        return event;
    if (m_records.contains(event.code) && m_records.value(event.code) != event.record)
        m_fields.fail(
            path, QStringLiteral("code %1 is given with two different records").arg(event.code));
    m_records.insert(event.code, event.record);
    EventJson::storeRecord(m_image, event.code, event.record);
    return event;
}

QJsonObject generalJson(const PresetImage &image)
{
    QJsonObject general;
    general[PresetSettings::presetName()] = textJson(image, PresetImage::PresetName);
    general[PresetSettings::presetDescription()] = textJson(image, PresetImage::PresetDescription);
    for (const PresetSetting &s : PresetSettings::general())
        general[s.name] = settingJson(image, s);
    return general;
}

QJsonObject gpioJson(const PresetImage &image)
{
    QJsonObject gpio;
    gpio[GpiTable] = tableJson(image, PresetSettings::gpiTable());
    gpio[RelayTable] = tableJson(image, PresetSettings::relayTable());
    return gpio;
}

QJsonObject groupsJson(const PresetImage &image)
{
    QJsonObject groups;
    for (int g = 0; g < PresetSettings::groupNames().size(); ++g) {
        QJsonArray outputs;
        for (int o = 0; o < PresetSettings::groupOutputs().size(); ++o) {
            if (image.value(PresetImage::RoutingGroups, g, o) == 1)
                outputs << PresetSettings::groupOutputs().at(o);
        }
        groups[PresetSettings::groupNames().at(g)] = outputs;
    }
    return groups;
}

QJsonObject patchJson(const PresetImage &image, PresetImage::Region region)
{
    QJsonObject sources;
    for (int r = 0; r < RoutingMatrix::Rows; ++r) {
        QJsonArray destinations;
        for (int c = 0; c < RoutingMatrix::Columns; ++c) {
            if (image.value(region, r, c) == 1)
                destinations << RoutingMatrix::destinationNames().at(c);
        }
        sources[RoutingMatrix::sourceNames().at(r)] = destinations;
    }
    return sources;
}

QJsonObject midiJson(const PresetImage &image)
{
    QJsonObject midi;
    for (const PresetSetting &s : PresetSettings::midi())
        midi[s.name] = settingJson(image, s);
    midi[Groups] = groupsJson(image);
    for (const RoutingPatch &patch : RoutingPatch::all())
        midi[patch.name] = patchJson(image, patch.region);
    return midi;
}

QJsonObject carriedJson(const PresetImage &image)
{
    QJsonObject carried;
    QByteArray fixedConfig;
    for (int b : FixedConfigBytes)
        fixedConfig.append(char(image.value(PresetImage::ConfigBlock, b)));
    carried[FixedConfig] = HexText::format(fixedConfig);
    carried[FixedSerial] = bytesJson(image, PresetImage::SerialConfig, 0, FixedSerialFirst,
                                     image.columns(PresetImage::SerialConfig));
    carried[Byte87] = image.value(PresetImage::GpiPolarity, PresetSettings::gpiRows().size());
    QJsonArray reserved;
    for (int list = 0; list < image.rows(PresetImage::ReservedLists); ++list)
        reserved << bytesJson(image, PresetImage::ReservedLists, list, 0,
                              image.columns(PresetImage::ReservedLists));
    carried[Reserved] = reserved;
    carried[HiddenList] =
        bytesJson(image, PresetImage::TriggerSlots, SlotSection::HiddenTriggerList, 0,
                  image.columns(PresetImage::TriggerSlots));
    return carried;
}

void readFormat(const QJsonObject &json, JsonFields &fields)
{
    if (fields.integer(fields.member(json, Format, {}), Format, 0, JsonFields::ByteMax) !=
            PresetJson::FormatVersion &&
        fields.ok())
        fields.fail(Format, QStringLiteral("needs %1").arg(PresetJson::FormatVersion));
}

void readGeneral(const QJsonObject &json, PresetImage &image, JsonFields &fields)
{
    const QJsonObject general = fields.object(fields.member(json, General, {}), General);
    QStringList known{PresetSettings::presetName(), PresetSettings::presetDescription()};
    textFromJson(fields.member(general, known.at(0), General), join(General, known.at(0)),
                 PresetImage::PresetName, image, fields);
    textFromJson(fields.member(general, known.at(1), General), join(General, known.at(1)),
                 PresetImage::PresetDescription, image, fields);
    for (const PresetSetting &s : PresetSettings::general()) {
        settingFromJson(fields.member(general, s.name, General), join(General, s.name), s, image,
                        fields);
        known << s.name;
    }
    fields.onlyKnown(general, known, General);
}

void readGpio(const QJsonObject &json, PresetImage &image, JsonFields &fields)
{
    const QJsonObject gpio = fields.object(fields.member(json, Gpio, {}), Gpio);
    tableFromJson(fields.object(fields.member(gpio, GpiTable, Gpio), join(Gpio, GpiTable)),
                  join(Gpio, GpiTable), PresetSettings::gpiTable(), image, fields);
    tableFromJson(fields.object(fields.member(gpio, RelayTable, Gpio), join(Gpio, RelayTable)),
                  join(Gpio, RelayTable), PresetSettings::relayTable(), image, fields);
    fields.onlyKnown(gpio, {GpiTable, RelayTable}, Gpio);
}

void readGroups(const QJsonObject &midi, PresetImage &image, JsonFields &fields)
{
    const QString groupsPath = join(Midi, Groups);
    const QJsonObject groups = fields.object(fields.member(midi, Groups, Midi), groupsPath);
    fields.onlyKnown(groups, PresetSettings::groupNames(), groupsPath);
    for (int g = 0; g < PresetSettings::groupNames().size(); ++g) {
        const QString path = join(groupsPath, PresetSettings::groupNames().at(g));
        for (int o = 0; o < PresetSettings::groupOutputs().size(); ++o)
            image.setValue(PresetImage::RoutingGroups, g, o, 0);
        for (const QJsonValue &output : fields.array(
                 fields.member(groups, PresetSettings::groupNames().at(g), groupsPath), path))
            image.setValue(PresetImage::RoutingGroups, g,
                           fields.nameOrNumber(output, path, PresetSettings::groupOutputs(), 0, -1),
                           1);
    }
}

void readPatch(const QJsonObject &midi, const RoutingPatch &patch, PresetImage &image,
               JsonFields &fields)
{
    const QString patchPath = join(Midi, patch.name);
    const QJsonObject sources = fields.object(fields.member(midi, patch.name, Midi), patchPath);
    fields.onlyKnown(sources, RoutingMatrix::sourceNames(), patchPath);
    for (int r = 0; r < RoutingMatrix::Rows; ++r) {
        const QString source = RoutingMatrix::sourceNames().at(r);
        const QString path = join(patchPath, source);
        for (const QJsonValue &d : fields.array(fields.member(sources, source, patchPath), path)) {
            const int c = fields.nameOrNumber(d, path, RoutingMatrix::destinationNames(), 0, -1);
            if (!fields.ok())
                break;
            if (image.value(patch.region, r, c) == RoutingMatrix::Unroutable)
                fields.fail(path,
                            QStringLiteral("%1 cannot be routed to %2").arg(source, d.toString()));
            else
                image.setValue(patch.region, r, c, 1);
        }
    }
}

void readMidi(const QJsonObject &json, PresetImage &image, JsonFields &fields)
{
    const QJsonObject midi = fields.object(fields.member(json, Midi, {}), Midi);
    QStringList known = QStringList{Groups} + PresetSettings::patchNames();
    for (const PresetSetting &s : PresetSettings::midi()) {
        settingFromJson(fields.member(midi, s.name, Midi), join(Midi, s.name), s, image, fields);
        known << s.name;
    }
    fields.onlyKnown(midi, known, Midi);
    readGroups(midi, image, fields);
    for (const RoutingPatch &patch : RoutingPatch::all())
        readPatch(midi, patch, image, fields);
}

// Exactly `count` bytes as hex; fewer read as zeros once the error is noted.
QVector<int> bytesFromJson(const QJsonValue &value, const QString &path, int count,
                           JsonFields &fields)
{
    const QByteArray b = fields.hexBytes(value, path, count);
    if (fields.ok() && b.size() != count)
        fields.fail(path, QStringLiteral("needs %1 bytes").arg(count));
    QVector<int> values(count, 0);
    for (int i = 0; i < b.size() && i < count; ++i)
        values[i] = quint8(b.at(i));
    return values;
}

void readCarried(const QJsonObject &json, PresetImage &image, JsonFields &fields)
{
    const QJsonObject carried = fields.object(fields.member(json, Carried, {}), Carried);
    fields.onlyKnown(carried, {FixedConfig, FixedSerial, Byte87, Reserved, HiddenList}, Carried);
    const auto carriedBytes = [&](const QString &key, int count) {
        return bytesFromJson(fields.member(carried, key, Carried), join(Carried, key), count,
                             fields);
    };
    const QVector<int> fixedConfig = carriedBytes(FixedConfig, int(std::size(FixedConfigBytes)));
    for (int i = 0; i < fixedConfig.size(); ++i)
        image.setValue(PresetImage::ConfigBlock, FixedConfigBytes[i], fixedConfig.at(i));
    const QVector<int> fixedSerial =
        carriedBytes(FixedSerial, image.columns(PresetImage::SerialConfig) - FixedSerialFirst);
    for (int i = 0; i < fixedSerial.size(); ++i)
        image.setValue(PresetImage::SerialConfig, FixedSerialFirst + i, fixedSerial.at(i));
    image.setValue(PresetImage::GpiPolarity, PresetSettings::gpiRows().size(),
                   fields.integer(fields.member(carried, Byte87, Carried), join(Carried, Byte87), 0,
                                  JsonFields::ByteMax));
    const QVector<int> hidden = carriedBytes(HiddenList, image.columns(PresetImage::TriggerSlots));
    for (int i = 0; i < hidden.size(); ++i)
        image.setValue(PresetImage::TriggerSlots, SlotSection::HiddenTriggerList, i, hidden.at(i));
    const QString reservedPath = join(Carried, Reserved);
    const int lists = image.rows(PresetImage::ReservedLists);
    const QJsonArray reserved =
        fields.array(fields.member(carried, Reserved, Carried), reservedPath, lists, lists);
    for (int list = 0; list < reserved.size(); ++list) {
        const int width = image.columns(PresetImage::ReservedLists);
        const QVector<int> b = bytesFromJson(reserved.at(list), reservedPath, width, fields);
        for (int i = 0; i < width; ++i)
            image.setValue(PresetImage::ReservedLists, list, i, b.at(i));
    }
}

} // namespace

QJsonObject PresetJson::toJson(const PresetImage &image)
{
    QJsonObject root;
    root[Format] = FormatVersion;
    root[General] = generalJson(image);
    root[Gpio] = gpioJson(image);
    root[Midi] = midiJson(image);
    root[Events] = eventsJson(image);
    root[Carried] = carriedJson(image);
    return root;
}

void PresetJson::fromJson(const QJsonObject &json, PresetImage &image, JsonFields &fields)
{
    image.clearModel();
    image.resetToDefaults();
    readFormat(json, fields);
    fields.onlyKnown(json, {Format, General, Gpio, Midi, Events, Carried}, {});
    readGeneral(json, image, fields);
    readGpio(json, image, fields);
    readMidi(json, image, fields);
    EventReader(image, fields).read(fields.object(fields.member(json, Events, {}), Events), Events);
    readCarried(json, image, fields);
}

QString PresetJson::generalKey()
{
    return General;
}

QString PresetJson::midiKey()
{
    return Midi;
}

QString PresetJson::eventsKey()
{
    return Events;
}

QString PresetJson::unlistedKey()
{
    return Unlisted;
}

QString PresetJson::carriedKey()
{
    return Carried;
}
