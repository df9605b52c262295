#pragma once

// The invariants of the preset image, preset files, event records, the event
// store, hex text, the device link and the tool's JSON import, each as one checker that takes its
// choices from a RandomImage: seeded in the property tests, fed by the input
// in the fuzz targets. A checker returns what it found broken, or nothing.

#include "cli/CommandRunner.h"
#include "core/device/DeviceLink.h"
#include "core/document/PresetFile.h"
#include "core/events/EventStore.h"
#include "core/events/HexText.h"
#include "support/RandomImage.h"
#include "virtualunit/VirtualUnit.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>

#define EXPECT(condition, detail)                                                                  \
    do {                                                                                           \
        if (!(condition))                                                                          \
            return QStringLiteral("line %1: %2 (%3)").arg(__LINE__).arg(#condition).arg(detail);   \
    } while (false)

namespace invariants {

using P = PresetImage;

// Hands out one to seven bytes a read, and fails once `limit` bytes have
// passed (negative: never).
class ChunkDevice : public QIODevice
{
public:
    ChunkDevice(const QByteArray &data, RandomImage &random, qint64 limit)
        : m_data(data), m_random(random), m_limit(limit < 0 ? 1 << 30 : limit)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 max) override
    {
        const qint64 n = std::min<qint64>({max, m_data.size() - m_pos, 1 + m_random.below(7)});
        if (m_pos + n > m_limit || (n == 0 && m_pos == m_limit))
            return -1;
        memcpy(data, m_data.constData() + m_pos, size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    RandomImage &m_random;
    qint64 m_limit;
    qint64 m_pos = 0;
};

inline QByteArray bytesOf(const QVector<int> &values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

// What a parse and a build make of image bytes: slot lists packed to the
// front, routing group bytes cut to four flags, unroutable patch cells and
// the bytes between regions cleared.
inline QVector<int> normalised(QVector<int> bytes)
{
    const int lists[][3] = {{96, 12, 8}, {192, 4, 8}, {1088, 12, 12}};
    for (const auto &l : lists) {
        for (auto at = bytes.begin() + l[0]; at < bytes.begin() + l[0] + l[1] * l[2]; at += l[2])
            std::fill(std::remove(at, at + l[2], 0), at + l[2], 0);
    }
    const int cleared[][2] = {{18, 0x10}, {19, 0x20}, {20, 0xC0}, {26, 0x10}, {27, 0x20},
                              {28, 0xC0}, {10, 0xF0}, {11, 0xF0}, {12, 0xF0}, {13, 0xF0},
                              {22, 0xFF}, {23, 0xFF}, {30, 0xFF}, {31, 0xFF}};
    for (const auto &c : cleared)
        bytes[c[0]] &= ~c[1];
    std::fill(bytes.begin() + 1240, bytes.begin() + 1248, 0);
    return bytes;
}

inline QString checkImage(RandomImage &random)
{
    P image;
    random.fill(image);
    const QVector<int> loaded = image.image();
    image.parseImage();
    image.setValue(P::RegionCount, 0, 0, 7);
    EXPECT(image.imageByte(-1) == 0 && image.imageByte(1760) == 0, "");
    EXPECT(image.value(P::RegionCount, 0, 0) == 0, "");
    const int group = random.below(4), bit = random.below(4);
    EXPECT(image.value(P::RoutingGroups, group, bit) == (loaded[10 + group] >> bit & 1), group);
    EXPECT(image.value(P::DoublePressLimit, 0) == loaded[75], "");
    image.buildImage();
    EXPECT(image.image() == normalised(loaded), "parse and build");
    image.clearModel();
    image.buildImage();
    for (int i = 64; i < 1760; ++i)
        EXPECT(image.imageByte(i) == (i < 96 || (i >= 1232 && i < 1240) ? loaded[i] : 0), i);
    image.resetToDefaults();
    EXPECT(image.image() == P().image(), "reset");
    return {};
}

inline PresetFile::Verdict expectedVerdict(qint32 magic, qint16 version)
{
    using V = PresetFile::Verdict;
    if (magic == 0x00234ABD && version != 0x0200)
        return version < 0x0200 ? V::LoadAfterEarlier : V::RefuseAfterLater;
    if (magic == 0x00234ABC)
        return version <= 0x0200 ? V::LoadAfterEarlier : V::RefuseAfterBoth;
    return magic == 0x00234ABD ? V::Load : V::RefuseForeign;
}

// File to image to file: whatever header and length a file has, its fields,
// verdict and bytes come through reads of a few bytes each; an accepted file
// loads over the defaults and saves as the current header and its image.
inline QString checkFile(RandomImage &random)
{
    const qint32 magics[] = {0x00234ABD, 0x00234ABC, 0x00234ABD ^ qint32(1u << random.below(32)),
                             qint32(random.below(1 << 30))};
    const qint16 versions[] = {0x0200, 0x01FF,         0x0201, 0,
                               0x7FFF, qint16(0x8000), -1,     qint16(random.below(1 << 16))};
    const qint32 magic = magics[random.below(4)];
    const qint16 version = versions[random.below(8)];
    QByteArray data;
    for (int shift : {24, 16, 8, 0})
        data.append(char(magic >> shift));
    data.append(char(version >> 8)).append(char(version));
    data += random.image() + random.bytes(random.below(3) * 10);
    data.truncate(random.chance(30) ? random.below(data.size()) : data.size());
    const int failAt = random.chance(20) ? random.below(data.size() + 1) : -1;
    ChunkDevice device(data, random, failAt);
    PresetFile file;
    // A device error anywhere the reads reach refuses the file.
    const bool read = file.read(device, 1760);
    EXPECT(read == (failAt < 0 || failAt > qMin(data.size(), 1765)), failAt);
    if (!read)
        return {};
    EXPECT(file.magic() == (data.size() >= 4 ? magic : 0), file.magic());
    EXPECT(file.version() == (data.size() >= 6 ? version : 0), file.version());
    EXPECT(file.verdict() == expectedVerdict(file.magic(), file.version()), file.version());
    EXPECT(file.imageBytes() == (data.size() >= 6 ? data.mid(6, 1760) : ""), data.size());
    using V = PresetFile::Verdict;
    const V v = file.verdict();
    const bool earlier = v == V::LoadAfterEarlier, both = v == V::RefuseAfterBoth;
    EXPECT(PresetFile::accepts(v) == (v == V::Load || earlier), int(v));
    EXPECT(PresetFile::showsEarlierNotice(v) == (earlier || both), int(v));
    EXPECT(PresetFile::showsLaterNotice(v) == (v == V::RefuseAfterLater || both), int(v));

    P target;
    random.fill(target);
    target.parseImage();
    file.applyTo(target);
    const QByteArray expected =
        file.imageBytes() + bytesOf(P().image()).mid(file.imageBytes().size());
    EXPECT(bytesOf(target.image()) == expected, "applied");
    EXPECT(target.value(P::PresetName, 0) == '<', "model left at the defaults");
    // Only the low eight bits of an element reach the file.
    const int wide = random.below(1760);
    target.setImageByte(wide, target.imageByte(wide) + 256 * (1 + random.below(3)));
    QBuffer out;
    out.open(random.chance(20) ? QIODevice::ReadOnly : QIODevice::WriteOnly);
    EXPECT(PresetFile::write(out, target) == out.isWritable(), "");
    EXPECT(out.data() == (out.isWritable() ? QByteArray::fromHex("00234abd0200") + expected : ""),
           "saved");
    return {};
}

// One event's description, from the name tables and the record layouts.
inline QString expectedDescription(const P &image, int code)
{
    auto port = [](int p) {
        return p >= 1 && p <= 9 ? EventRecords::midiPortNames().at(p - 1)
                                : QStringLiteral("Unknown Port %1").arg(p);
    };
    auto n = [](int number) { return QString::number(number); };
    const int midi[4] = {
        image.value(P::MidiEventPool, code - 1, 0), image.value(P::MidiEventPool, code - 1, 1),
        image.value(P::MidiEventPool, code - 1, 2), image.value(P::MidiEventPool, code - 1, 3)};
    const int t = midi[1] / 16 - 8, sysexLength = image.value(P::SysexEventPool, code - 65, 1);
    const int action = image.value(P::RelayEventPool, code - 97, 1);
    const int serialLength = image.value(P::SerialEventPool, code - 145, 0);
    if (code >= 1 && code <= 64 && midi[0] < 1)
        return "MIDI: <No Midi Data>";
    if (code >= 1 && code <= 64 && (t < 0 || t > 6))
        return "MIDI: ,  [" + port(midi[0]) + "]";
    if (code >= 1 && code <= 64)
        return "MIDI: " + EventRecords::midiMessageTypeNames().at(t) + " " + n(midi[2]) +
               (t < 2              ? ", Vel " + n(midi[3])
                : t == 4 || t == 5 ? ""
                                   : ", " + n(midi[3])) +
               ", Chan " + n(midi[1] % 16 + 1) + " [" + port(midi[0]) + "]";
    const QString sysexPort = " [" + port(image.value(P::SysexEventPool, code - 65, 0)) + "]";
    if (code >= 65 && code <= 80 && (sysexLength < 1 || sysexLength > 31))
        return "MIDI SYSEX: ? Bytes (length byte " + n(sysexLength) + ")" + sysexPort;
    if (code >= 65 && code <= 80)
        return "MIDI SYSEX: " + n(sysexLength - 1) + " Bytes" + sysexPort;
    if (code >= 81 && code <= 96)
        return "MIDI SYSEX: code " + n(code) + " names no SysEx entry";
    if (code >= 97 && code <= 128)
        return "RELAY: Relay " + n(image.value(P::RelayEventPool, code - 97, 0)) + " " +
               (action >= 0 && action < 4 ? EventRecords::relayActionNames().at(action)
                                          : "Action " + n(action));
    if (code >= 129 && code <= 144)
        return code <= 140
                   ? "MACRO: Macro " + n(code - 128)
                   : "MACRO: Toggle Macro Pair " + n(2 * code - 281) + "-" + n(2 * code - 280);
    if (code >= 145 && code <= 160)
        return serialLength < 4 || serialLength > 32
                   ? "SERIAL: ? Bytes (length byte " + n(serialLength) + ")"
                   : "SERIAL: " + n(serialLength - 4) + " Bytes";
    if (code >= 193 && code <= 230)
        return "SYSTEM: " + EventRecords::systemEventNames().at(code - 193);
    return "empty slot";
}

// Record to description for every code; entries to codes and back.
inline QString checkRecords(RandomImage &random)
{
    P image;
    random.fill(image);
    image.parseImage();
    for (int code = 0; code < 256; ++code)
        EXPECT(EventRecords::describeEvent(image, code) == expectedDescription(image, code), code);
    const int type = random.below(7), channel = 1 + random.below(16);
    const int status = EventRecords::statusByte(type, channel);
    EXPECT(status == 0x80 + 16 * type + channel - 1, status);
    EXPECT(EventRecords::typeOfStatus(status) == type, status);
    EXPECT(EventRecords::channelOfStatus(status) == channel, status);
    EXPECT(EventRecords::typeOfStatus(0xF0) == 0 && EventRecords::channelOfStatus(0x7F) == 1, "");
    // A serial record's flags read as set exactly where their byte is 1.
    const int e = random.below(image.rows(P::SerialEventPool));
    const SerialRecord serial = EventRecords::readSerial(image, e);
    int flags = serial.ascii << 1 | serial.cr << 2 | serial.lf << 3;
    for (int i = 1; i <= 3; ++i)
        flags ^= (image.value(P::SerialEventPool, e, i) == 1) << i;
    EXPECT(flags == 0, e);
    return {};
}

// Store and clear sequences against a reference of the slot tables and the
// four pools, kept as the image bytes they occupy unpacked: the lowest free
// entry wins, no record is taken twice or lost, a full pool refuses with
// nothing changed, a record goes only when no slot names it.
inline QString checkStore(RandomImage &random)
{
    P image;
    random.fill(image);
    image.parseImage();
    using R = EventStore::StoreResult;
    // Per kind: first code, entries (names for system and macro), record size and offset.
    const int firsts[] = {1, 65, 97, 193, 129, 145}, entries[] = {64, 16, 32, 38, 16, 16};
    const int sizes[] = {4, 32, 2, 0, 0, 32}, pools[] = {256, 512, 1024, 0, 0, 1248};
    const int tableAt[] = {96, 192, 1088}, widths[] = {8, 8, 12};
    auto model = [&image] {
        QVector<int> m(1760, 0);
        for (P::Region r : {P::TriggerSlots, P::SwitchSlots, P::MacroSlots, P::MidiEventPool,
                            P::SysexEventPool, P::RelayEventPool, P::SerialEventPool}) {
            const int columns = image.columns(r);
            for (int i = 0; i < image.rows(r) * columns; ++i)
                m[image.region(r).offset + i] = image.value(r, i / columns, i % columns);
        }
        return m;
    };
    auto named = [](const QVector<int> &m, int code) {
        return std::count(m.begin() + 96, m.begin() + 224, code) +
               std::count(m.begin() + 1088, m.begin() + 1232, code);
    };
    for (int step = 0; step < 40; ++step) {
        const int listKind = random.chance(5) ? random.below(6) : 2 + random.below(3);
        const int t = qBound(0, listKind - 2, 2), rows = t == 1 ? 4 : 12;
        const int list = random.below(rows + 1) - (random.chance(3) ? 1 : 0);
        const int slot = random.below(widths[t] + 1), at = tableAt[t] + list * widths[t] + slot;
        const bool valid =
            listKind >= 2 && listKind <= 4 && list >= 0 && list < rows && slot < widths[t];
        EventData e;
        e.kind = EventKind(random.below(7));
        auto data = [&random] { return random.chance(30) ? 0 : random.byte() - 64; };
        e.midi = {random.below(12) - 1, 0x70 + random.below(0x90), data(), data()};
        e.sysex = {random.below(12) - 1, random.bytes(random.below(34))};
        e.relay = {random.below(6) - 1, random.below(6) - 1};
        e.serial = {random.chance(50), random.chance(50), random.chance(50),
                    random.bytes(random.below(32))};
        e.systemIndex = random.below(42) - 2;
        e.macroIndex = random.below(18) - 1;

        // The reference: the slot cleared, its record freed unless still named.
        const QVector<int> before = model();
        QVector<int> cleared = before;
        const int old = valid ? before[at] : 0;
        cleared[at] = valid ? 0 : cleared[at];
        for (int k = 0; k < 6; ++k) {
            if (old >= firsts[k] && old < firsts[k] + entries[k] && !named(cleared, old))
                std::fill_n(cleared.begin() + pools[k] + (old - firsts[k]) * sizes[k], sizes[k], 0);
        }
        QVector<int> expected = cleared;
        R result = !valid ? R::InvalidSlot : e.kind == EventKind::None ? R::NoEvent : R::Stored;
        const int k = qMax(int(e.kind) - 1, 0);
        int entry = qBound(0, k == 3 ? e.systemIndex : e.macroIndex, entries[k] - 1);
        for (entry = sizes[k] ? 0 : entry; sizes[k] && entry < entries[k]; ++entry)
            if (!cleared[pools[k] + entry * sizes[k]] && !named(cleared, firsts[k] + entry))
                break;
        QVector<int> record;
        QByteArray bytes = k == 1 ? e.sysex.message.left(30) : e.serial.data.left(28);
        if (k == 0)
            record = {qBound(1, e.midi.port, 9), qBound(0x80, e.midi.status, 0xEF),
                      qBound(0, e.midi.data1, 127), qBound(0, e.midi.data2, 127)};
        if (k == 1)
            record = {qBound(1, e.sysex.port, 9), int(bytes.size()) + 1};
        if (k == 2)
            record = {qBound(1, e.relay.relay, 4), qBound(0, e.relay.action, 3)};
        if (k == 5)
            record = {int(bytes.size()) + 4, e.serial.ascii, e.serial.cr, e.serial.lf};
        for (int i = 0; (k == 1 || k == 5) && i < bytes.size(); ++i)
            record << quint8(bytes[i]);
        if (result == R::Stored && entry == entries[k]) {
            result = R::PoolFull;
            expected = before;
        } else if (result == R::Stored) {
            expected[at] = firsts[k] + entry;
            std::copy(record.begin(), record.end(), expected.begin() + pools[k] + entry * sizes[k]);
        }
        const QString where = QString::asprintf("step %d: list kind %d, list %d, slot %d, kind %d",
                                                step, listKind, list, slot, int(e.kind));
        if (random.chance(75)) {
            const bool can = EventStore::canStore(image, listKind, list, slot, e.kind);
            EXPECT(EventStore::storeEvent(image, listKind, list, slot, e) == result, where);
            EXPECT(!valid || can == (result != R::PoolFull), where);
        } else {
            EventStore::clearSlot(image, listKind, list, slot);
            expected = cleared;
        }
        EXPECT(model() == expected, where);
    }
    return {};
}

// Hex text as typed: blanks and case do not matter, an odd last digit is a
// byte of its own, formatted bytes read back as the same bytes.
inline QString checkHexText(RandomImage &random)
{
    const QString alphabet = QStringLiteral("0123456789abcdefABCDEF  \t");
    QString text, latin;
    for (int n = random.below(80); n > 0; --n)
        text += alphabet.at(random.below(alphabet.size()));
    QString digits = text.toUpper().remove(' ').remove('\t');
    digits.insert(digits.size() - 1, digits.size() % 2 ? "0" : "");
    const QByteArray bytes = HexText::pairBytes(text);
    EXPECT(HexText::format(bytes).size() == qMax(0, 3 * bytes.size() - 1), text);
    EXPECT(HexText::format(bytes).remove(' ') == digits, text);
    EXPECT(HexText::pairBytes(HexText::format(bytes)) == bytes, text);
    EXPECT(HexText::serialHexBytes(text) == bytes.left(28), text);
    QByteArray framed = bytes;
    if (!bytes.isEmpty() && quint8(framed.front()) != 0xF0)
        framed.prepend(char(0xF0));
    if (!bytes.isEmpty() && quint8(framed.back()) != 0xF7)
        framed.append(char(0xF7));
    framed = framed.size() > 30 ? framed.left(29) + char(0xF7) : framed;
    EXPECT(HexText::sysexBytes(text) == framed, text);
    bool wide = false;
    for (int n = random.below(20); n > 0; --n) {
        latin += QChar(random.chance(90) ? 1 + random.below(255) : 0x100 + random.below(0x2000));
        wide = wide || latin.back().unicode() > 0xFF;
    }
    EXPECT(HexText::isLatin1(latin) == !wide, latin);
    EXPECT(wide || HexText::bytesText(HexText::textBytes(latin) + '\0' + "after") == latin, latin);
    return {};
}

// The link against a unit that is slow, noisy, plugged out part way or
// refuses a block: the firmware exchange reads each string and version;
// replies nobody asked for change nothing but the string they carry; every
// report passes the unit's checks and clears the header bytes its command
// defines; a transfer always ends; the image changes only by a finished
// download, to the unit's bytes; an upload the unit completed holds the
// image; every handle opened is closed.
inline QString checkDevice(RandomImage &random)
{
    VirtualUnit &unit = VirtualUnit::instance();
    unit.reset();
    const QString firmware = QStringList{"1.4", "1.5", "1.6", "x.y"}.at(random.below(4));
    unit.setFirmwareVersion(firmware.toStdString());
    unit.setCpldBuild(random.chance(50) ? "190116" : random.chance(50) ? "190117" : "CPLD-X");
    const bool old = firmware.toDouble() < 1.5;
    const int size = old ? 1232 : 1760, count = old ? 8 : 10;
    unit.setReplyLatency(random.below(3));
    unit.setRandomReports(random.chance(30) ? 1 + random.below(6) : 0, random.below(1000));
    P image;
    random.fill(image);
    image.setImageByte(3, 0);
    {
        DeviceLink link;
        int downloads = 0, progress = 0;
        QStringList strings = DeviceLink::defaultFirmwareStrings();
        QObject::connect(&link, &DeviceLink::downloadFinished, [&downloads] { ++downloads; });
        QObject::connect(&link, &DeviceLink::progressChanged, [&progress] { ++progress; });
        auto settle = [&] {
            for (int i = 0; i < 100 && (!link.isOnline() || unit.pendingReplies() > 0); ++i)
                link.pollUsb();
        };
        for (int round = 0; round < 3; ++round) {
            const QByteArray eeprom = random.image();
            const std::vector<std::uint8_t> bytes(eeprom.begin(), eeprom.end());
            const QVector<int> unitBefore(bytes.begin(), bytes.end());
            unit.setEeprom(bytes);
            unit.setPlugged(true);
            unit.setUnplugAfterReports(0);
            // A reply nobody asked for: a block, a date and time, or a string.
            VirtualUnit::Report stray{};
            for (int i = 0; i < 64; ++i)
                stray[i] = std::uint8_t(i < 3 ? random.below(1 << (i ? 4 : 7)) : random.byte());
            stray[1] |= 0x08;
            stray[2] = stray[1] == 0x0E ? 2 + random.below(11) : 0x80;
            // The link asks again for every string after one that came.
            const int from = !link.isOnline() ? 1 : stray[1] == 0x0E ? stray[2] + 1 : 11;
            settle();
            unit.queueReport(stray);
            settle();
            for (int k = from; k <= count; ++k)
                strings[k - 1] = QString::fromStdString(unit.firmwareString(k));
            const QByteArray text(reinterpret_cast<const char *>(&stray[8]),
                                  qMin<int>(stray[0], 56));
            if (stray[1] == 0x0E && stray[2] <= count)
                strings[stray[2] - 1] = QString::fromLatin1(text.split('\0').first());
            EXPECT(link.firmwareStrings() == strings, strings.join(", "));
            EXPECT(link.expectedStringCount() == count && link.unitImageVersion() == 2 - old,
                   count);
            EXPECT(link.firmwareVersion() == firmware.toDouble(), firmware);
            EXPECT(link.unitCpldVersion() == (strings[7].left(6).toInt() >= 190117 ? 2.0 : 1.0),
                   "");

            const bool upload = random.chance(50);
            const int unplugAfter = random.chance(25) ? 1 + random.below(80) : 0;
            const int failBlock = upload && random.chance(25) ? 1 + random.below(74) : 0;
            unit.setUnplugAfterReports(unplugAfter);
            unit.setFailWriteBlock(failBlock);
            unit.setDateTimeStatus(failBlock == 0 && random.chance(30) ? 0x80 : 0);
            link.setSyncDateTime(random.chance(70));
            unit.clearLog();
            const QVector<int> before = image.image();
            const int completed = unit.completedUploads(), downloaded = downloads;
            progress = 0;
            // Half the uploads first read the unit's preset for a sink, which
            // may refuse it: then nothing may be written.
            const bool backup = upload && random.chance(50), keep = random.chance(80);
            int backups = 0;
            QVector<int> backedUp;
            const DeviceLink::BackupSink sink = [&](const P &unitPreset) {
                backedUp = unitPreset.image();
                return ++backups, keep;
            };
            upload ? link.startUpload(&image, backup ? sink : DeviceLink::BackupSink())
                   : link.startDownload(&image);
            for (int ticks = 0; ticks < 1000 && link.isBusy(); ++ticks)
                link.pollUsb();
            EXPECT(!link.isBusy(), "a transfer never ended");
            for (const std::string &v : unit.violations())
                return QString::fromStdString(v);
            bool wrote = false;
            for (const VirtualUnit::OutputReport &out : unit.receivedReports()) {
                wrote = wrote || out[2] == 0x0D;
                EXPECT(out[2] != 0x0E || (out[1] == 0 && out[4] == 0 && out[8] == 0), out[1]);
                EXPECT(out[2] != 0x0C || (out[1] == 0 && out[4] == 0 && out[6] == 0), out[1]);
            }
            const QVector<int> unitBytes(unit.eeprom().begin(), unit.eeprom().end());
            const bool finished = downloads > downloaded, faults = unplugAfter || failBlock;
            const bool stored = unit.completedUploads() > completed;
            EXPECT(finished == (!upload && (!unplugAfter || unplugAfter > (size + 23) / 24)), "");
            EXPECT(stored || faults || !upload || (backup && !keep), "an upload did not finish");
            EXPECT(!wrote || !backup || (backups == 1 && keep), "written without a kept backup");
            EXPECT(!backups || backedUp.mid(0, size) == unitBefore.mid(0, size), "backup");
            QVector<int> expected = before;
            std::copy_n(unitBytes.begin(), finished ? size : 0, expected.begin());
            EXPECT(image.image() == expected, finished ? "download" : "changed, not downloaded");
            EXPECT(!finished || image.value(P::PresetName, 0) == unitBytes[32], "not parsed");
            EXPECT(!finished || progress >= size / 24, progress);
            expected = unitBefore;
            std::copy_n(image.image().begin(), size, expected.begin());
            EXPECT(!stored || unitBytes == expected, "upload");
            EXPECT(link.isOnline() || !unit.isOpen(), "a handle left open after the unit went");
            for (int k = 0; k < 1760; ++k)
                image.setImageByte(k, quint8(eeprom[k]) ^ 0x5A);
        }
    }
    EXPECT(!unit.isOpen(), "a handle left open by the link");
    return {};
}

// Runs cuesmith-cli in-process; its messages go to `messages`.
inline int runTool(const QStringList &arguments, QString *messages = nullptr)
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int status =
        CommandRunner(outStream, errStream).run(QStringList{"cuesmith-cli"} + arguments);
    if (messages)
        *messages = err;
    return status;
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

inline void writeBytes(const QString &path, const QByteArray &data)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
}

// `value` with `change` applied to it and to every member and element below
// it, each named by its path as the tool names fields ("Events/Macros/Macro
// 1/2/code": array elements count from 1).
inline QJsonValue rewritten(QJsonValue value, const QString &path,
                            const std::function<void(const QString &, QJsonValue &)> &change)
{
    if (value.isObject()) {
        QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it)
            it.value() =
                rewritten(it.value(), path.isEmpty() ? it.key() : path + '/' + it.key(), change);
        value = object;
    } else if (value.isArray()) {
        QJsonArray array = value.toArray();
        for (int i = 0; i < array.size(); ++i)
            array[i] = rewritten(array[i], path + '/' + QString::number(i + 1), change);
        value = array;
    }
    change(path, value);
    return value;
}

// JSON import as the tool runs it, on the export of a random preset, edited:
// as text at random, by a key that no object of its place has, or by a hex
// byte that is not two hex digits. It ends; an unknown key or a malformed hex
// byte is refused by its path; what it accepts exports to a document that
// imports to the same file and exports to itself (an unedited export: to
// itself); what it refuses, it says why and writes no file.
inline QString checkImport(RandomImage &random)
{
    static QTemporaryDir dir;
    const auto at = [](const char *name) { return dir.filePath(name); };
    writeBytes(at("in.rsx4pre"), QByteArray::fromHex("00234abd0200") + random.image());
    EXPECT(runTool({"export", at("in.rsx4pre"), "-o", at("in.json")}) == 0, "export");
    const QByteArray exported = fileBytes(at("in.json"));

    QByteArray edited = exported;
    QString expected; // the refusal an edit must meet
    const int mode = random.below(4);
    if (mode == 1) {
        static const char *const tokens[] = {"\"slot\": 1, ",
                                             "\"x\": 0, ",
                                             "\"padding\": \"01\", ",
                                             "\"length\": 9, ",
                                             "\"status\": 144, ",
                                             "\"text\": \"A\", ",
                                             "-",
                                             "+",
                                             "0",
                                             "F",
                                             " ",
                                             "\"",
                                             ",",
                                             ":",
                                             "{",
                                             "}",
                                             "[",
                                             "]",
                                             "null",
                                             "true",
                                             "1e300",
                                             "-0.5",
                                             "\\u00e9"};
        for (int n = 1 + random.below(4); n > 0; --n) {
            const int pos = random.below(edited.size() + 1), op = random.below(4);
            const QByteArray token = tokens[random.below(int(std::size(tokens)))];
            if (op == 0)
                edited.insert(pos, token);
            else if (op == 1)
                edited.remove(pos, 1 + random.below(8));
            else if (op == 2)
                edited.replace(pos, 1, token);
            else
                edited.insert(pos, random.bytes(1 + random.below(4)));
        }
    } else if (mode > 1) {
        static const QRegularExpression hex(QStringLiteral("^[0-9A-F]{2}( [0-9A-F]{2})*$"));
        const QJsonValue root = QJsonDocument::fromJson(exported).object();
        QStringList places;
        rewritten(root, {}, [&](const QString &path, QJsonValue &v) {
            const QString key = path.section('/', -1);
            const bool bytes = v.isString() && hex.match(v.toString()).hasMatch() &&
                               (key == "data" || key == "padding" || path.startsWith("Carried/"));
            if (mode == 2 ? v.isObject() : bytes)
                places << path;
        });
        const QString place = places.value(random.below(places.size()));
        const QString key = QStringList{"x", "slot", "Slot"}.at(random.below(3));
        const QString pair = QStringList{"-1", "+1", "1", "001", "0x", " 1"}.at(random.below(6));
        const QJsonValue changed = rewritten(root, {}, [&](const QString &path, QJsonValue &v) {
            if (path != place || (mode == 2 && v.toObject().contains(key)))
                return;
            if (mode == 2) {
                QJsonObject object = v.toObject();
                object[key] = 0;
                v = object;
                expected = QStringLiteral("field \"%1%2\": unknown field")
                               .arg(path.isEmpty() ? path : path + '/', key);
            } else {
                QStringList pairs = v.toString().split(' ');
                pairs[random.below(pairs.size())] = pair;
                v = pairs.join(' ');
                expected = QStringLiteral("\"%1\" is not two hex digits")
                               .arg(pair.startsWith(' ') ? "" : pair);
            }
        });
        edited = QJsonDocument(changed.toObject()).toJson();
    }
    writeBytes(at("edited.json"), edited);
    const bool kept = random.chance(50);
    QFile::remove(at("out.rsx4pre"));
    if (kept)
        writeBytes(at("out.rsx4pre"), "kept");

    QString messages;
    const int status = runTool({"import", at("edited.json"), "-o", at("out.rsx4pre")}, &messages);
    const QByteArray saved = fileBytes(at("out.rsx4pre"));
    EXPECT(expected.isEmpty() || (status == 3 && messages.contains(expected)),
           expected + " / " + messages);
    if (status != 0) {
        EXPECT(status == 3, status);
        EXPECT(saved == (kept ? "kept" : "<none>"), "a refused import wrote its file");
        EXPECT(messages.startsWith("cuesmith-cli: " + at("edited.json") + ": "), messages);
        return {};
    }
    EXPECT(saved.size() == 1766, saved.size());
    EXPECT(runTool({"export", at("out.rsx4pre"), "-o", at("again.json")}) == 0, "export again");
    const QByteArray again = fileBytes(at("again.json"));
    EXPECT(mode != 0 || QJsonDocument::fromJson(again) == QJsonDocument::fromJson(exported),
           "an export imports and exports to another document");
    EXPECT(runTool({"import", at("again.json"), "-o", at("back.rsx4pre")}) == 0, "import again");
    EXPECT(fileBytes(at("back.rsx4pre")) == saved, "the export of an import imports otherwise");
    EXPECT(runTool({"export", at("back.rsx4pre"), "-o", at("back.json")}) == 0, "");
    EXPECT(fileBytes(at("back.json")) == again, "the export of an import exports otherwise");
    return {};
}

} // namespace invariants
