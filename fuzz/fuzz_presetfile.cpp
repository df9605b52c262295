// Arbitrary bytes opened as a preset file, taken the way the program takes an
// opened file: read with the file format code, loaded, parsed, shown on the
// configuration pages, every slot of every list described and shown in the
// detail editor and stored back unchanged, the pages applied, the image built
// and saved. Invariants: the header and image bytes are read as the format
// says; the image holds bytes only; building is stable; a store back touches
// nothing but its own slot and records, writes records in range and keeps
// the description of an event that was in range; the saved file reopens to
// the same image, and opening and saving it once more changes nothing.
//
// Input: the file's bytes.

#include "EventRecords.h"
#include "EventStore.h"
#include "FunctionNames.h"
#include "FuzzSupport.h"
#include "GeneralPage.h"
#include "GpioPage.h"
#include "MidiPage.h"
#include "PresetFile.h"
#include "PresetImage.h"
#include "detailsitems.h"
#include "eventItems.h"
#include "gpiConfigWidget.h"
#include "relayConfigWidget.h"

#include <QBuffer>
#include <QTreeWidget>

#include <iterator>

namespace {

constexpr int ImageSize = 1760;
constexpr int HeaderSize = 6;

struct Views
{
    QWidget window;
    GeneralPage general{FunctionNames::macroNames()};
    MidiPage midi{&window};
    PresetImage startImage;
    GpioPage gpio{startImage};
    eventItems slotList;
    detailsitems editor;
    QTreeWidget *slotTree = slotList.findChild<QTreeWidget *>("slotTree");
    QVector<int> defaults = startImage.image();
};

Views *views = nullptr;

struct ListKind
{
    SlotListKind kind;
    PresetImage::Region table;
};

const ListKind Lists[] = {{InputTrigger, PresetImage::TriggerSlots},
                          {UnitControl, PresetImage::SwitchSlots},
                          {MacroList, PresetImage::MacroSlots}};

const PresetImage::Region Pools[] = {PresetImage::MidiEventPool, PresetImage::SysexEventPool,
                                     PresetImage::RelayEventPool, PresetImage::SerialEventPool};

quint32 bigEndian(const QByteArray &bytes, int offset, int size)
{
    if (bytes.size() < offset + size)
        return 0;
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = value << 8 | quint8(bytes.at(offset + i));
    return value;
}

QString where(int listKind, int list, int slot)
{
    return QStringLiteral("list kind %1, list %2, slot %3").arg(listKind).arg(list).arg(slot);
}

void loadPages(PresetImage &image)
{
    views->general.load(image);
    views->midi.load(image);
    views->gpio.gpiTable()->loadFromImage(image);
    views->gpio.relayTable()->loadFromImage(image);
}

void applyPages(PresetImage &image)
{
    views->midi.apply(image);
    views->general.apply(image);
    views->gpio.gpiTable()->applyToImage(image);
    views->gpio.relayTable()->applyToImage(image);
}

void checkBytesOnly(const PresetImage &image, const char *stage)
{
    for (int k = 0; k < image.imageSize(); ++k)
        FUZZ_CHECK(
            image.imageByte(k) >= 0 && image.imageByte(k) <= 0xFF,
            QStringLiteral("%1: image byte %2 is %3").arg(stage).arg(k).arg(image.imageByte(k)));
}

// Whether a code's record holds values the editor can show, so that storing
// it back keeps what the event reads as; a macro action counts only outside
// a macro's own list. Written records must also hold bytes only and clear
// flags of 0 or 1.
bool inRange(const PresetImage &image, int listKind, int code, bool written)
{
    const int entry = EventRecords::poolEntryOfCode(image, code);
    auto within = [&image, entry](PresetImage::Region pool, int index, int low, int high) {
        const int value = image.value(pool, entry, index);
        return value >= low && value <= high;
    };
    auto bytesFrom = [&](PresetImage::Region pool, int first) {
        for (int i = first; written && i < image.columns(pool); ++i) {
            if (!within(pool, i, 0, 0xFF))
                return false;
        }
        return true;
    };
    const auto midi = PresetImage::MidiEventPool;
    const auto sysex = PresetImage::SysexEventPool;
    const auto relay = PresetImage::RelayEventPool;
    const auto serial = PresetImage::SerialEventPool;
    switch (EventRecords::kindOfCode(code)) {
    case EventKind::Midi:
        return within(midi, 0, 1, 9) && within(midi, 1, 0x80, 0xEF) && within(midi, 2, 0, 127) &&
               within(midi, 3, 0, 127);
    case EventKind::SysEx:
        return entry >= 0 && within(sysex, 0, 1, 9) && within(sysex, 1, 1, 31) &&
               bytesFrom(sysex, 2);
    case EventKind::Relay:
        return within(relay, 0, 1, 4) && within(relay, 1, 0, 3);
    case EventKind::Serial:
        return within(serial, 0, 4, 32) &&
               (!written ||
                (within(serial, 1, 0, 1) && within(serial, 2, 0, 1) && within(serial, 3, 0, 1))) &&
               bytesFrom(serial, 4);
    case EventKind::Macro:
        return listKind != MacroList;
    case EventKind::System:
        return true;
    case EventKind::None:
        break;
    }
    return false;
}

// Every slot code and pool byte, slot tables first, in a fixed order: what a
// store may change only in its own slot and the records it gives up and takes.
QVector<int> eventSnapshot(const PresetImage &image)
{
    QVector<int> values;
    values.reserve(2048);
    for (const ListKind &l : Lists) {
        const int rows = image.rows(l.table);
        const int columns = image.columns(l.table);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c)
                values << image.value(l.table, r, c);
        }
    }
    for (PresetImage::Region pool : Pools) {
        const int rows = image.rows(pool);
        const int columns = image.columns(pool);
        for (int e = 0; e < rows; ++e) {
            for (int i = 0; i < columns; ++i)
                values << image.value(pool, e, i);
        }
    }
    return values;
}

// Where a slot or a code's record lies in a snapshot; -1 for a code without one.
struct SnapshotLayout
{
    int slotStart[std::size(Lists)] = {};
    int poolStart[std::size(Pools)] = {};

    explicit SnapshotLayout(const PresetImage &image)
    {
        int at = 0;
        for (size_t n = 0; n < std::size(Lists); ++n) {
            slotStart[n] = at;
            at += image.rows(Lists[n].table) * image.columns(Lists[n].table);
        }
        for (size_t n = 0; n < std::size(Pools); ++n) {
            poolStart[n] = at;
            at += image.rows(Pools[n]) * image.columns(Pools[n]);
        }
    }

    int slot(const PresetImage &image, int listKind, int list, int slot) const
    {
        for (size_t n = 0; n < std::size(Lists); ++n) {
            if (Lists[n].kind == listKind)
                return slotStart[n] + list * image.columns(Lists[n].table) + slot;
        }
        return -1;
    }

    int record(const PresetImage &image, int code) const
    {
        const int entry = EventRecords::poolEntryOfCode(image, code);
        const int pool = EventRecords::poolRegion(EventRecords::kindOfCode(code));
        for (size_t n = 0; n < std::size(Pools); ++n) {
            if (entry >= 0 && Pools[n] == pool)
                return poolStart[n] + entry * image.columns(Pools[n]);
        }
        return -1;
    }

    int recordSize(const PresetImage &image, int code) const
    {
        const int pool = EventRecords::poolRegion(EventRecords::kindOfCode(code));
        return pool < 0 ? 0 : image.columns(static_cast<PresetImage::Region>(pool));
    }
};

// A record's place in a snapshot, as a half-open range; empty for a code
// without one.
struct Range
{
    int begin = 0;
    int end = 0;
    bool contains(int i) const { return i >= begin && i < end; }
};

Range recordRange(const PresetImage &image, int code)
{
    static const SnapshotLayout layout(image);
    const int start = layout.record(image, code);
    return start < 0 ? Range() : Range{start, start + layout.recordSize(image, code)};
}

// Stores change their own slots, the records those slots named and the
// records they took; every other slot and record stays as it was.
void checkOnlyOwnChanged(const QVector<int> &before, const QVector<int> &after,
                         const QVector<Range> &changeable, const QString &context)
{
    FUZZ_CHECK(before.size() == after.size(), context);
    QVector<bool> own(before.size(), false);
    for (const Range &r : changeable) {
        for (int i = r.begin; i < r.end; ++i)
            own[i] = true;
    }
    for (int i = 0; i < before.size(); ++i) {
        FUZZ_CHECK(own.at(i) || before.at(i) == after.at(i),
                   context + QStringLiteral(": snapshot value %1 changed from %2 to %3")
                                 .arg(i)
                                 .arg(before.at(i))
                                 .arg(after.at(i)));
    }
}

QVector<int> recordBytes(const PresetImage &image, int code)
{
    QVector<int> bytes;
    const int entry = EventRecords::poolEntryOfCode(image, code);
    const int pool = EventRecords::poolRegion(EventRecords::kindOfCode(code));
    if (entry < 0 || pool < 0)
        return bytes;
    const auto region = static_cast<PresetImage::Region>(pool);
    for (int i = 0; i < image.columns(region); ++i)
        bytes << image.value(region, entry, i);
    return bytes;
}

// Shows every list and every event, as a user browsing the preset would, and
// stores each event back from the editor that shows it. The snapshot is
// taken whole once per list; between, its slot codes are kept up to date.
void browseAndStoreBack(PresetImage &image)
{
    static const SnapshotLayout layout(image);
    QVector<int> snapshot = eventSnapshot(image);
    const int slotCount = layout.poolStart[0];
    for (const ListKind &l : Lists) {
        for (int list = 0; list < image.rows(l.table); ++list) {
            views->slotList.showSlotList(image, l.kind, list);
            views->editor.resetEditor(l.kind);
            FUZZ_CHECK(views->slotTree->topLevelItemCount() == image.columns(l.table),
                       where(l.kind, list, -1));
            QVector<Range> changeable;
            for (int slot = 0; slot < image.columns(l.table); ++slot) {
                const int code = EventStore::slotCode(image, l.kind, list, slot);
                const QString description = EventRecords::describeEvent(image, code);
                FUZZ_CHECK(!description.isEmpty(), where(l.kind, list, slot));
                FUZZ_CHECK(views->slotTree->topLevelItem(slot)->text(1) == description,
                           where(l.kind, list, slot));
                if (code == 0)
                    continue;

                const int own = layout.slot(image, l.kind, list, slot);
                const Range oldRecord = recordRange(image, code);
                const QVector<int> oldBytes = recordBytes(image, code);
                views->editor.showSlot(image, l.kind, list, slot);
                const bool kept = inRange(image, l.kind, code, false);
                const auto result = views->editor.storeEvent(image, l.kind, list, slot);
                views->editor.resetEditor(l.kind);

                const int stored = EventStore::slotCode(image, l.kind, list, slot);
                // Built only when a check fails.
                const auto context = [&] {
                    return where(l.kind, list, slot) + QStringLiteral(", code %1 -> %2, result %3")
                                                           .arg(code)
                                                           .arg(stored)
                                                           .arg(int(result));
                };
                FUZZ_CHECK(result != EventStore::StoreResult::InvalidSlot, context());
                FUZZ_CHECK(snapshot.at(own) == code, context());
                snapshot[own] = stored;
                // The record taken is named by no other slot.
                const bool tookRecord = stored != code && recordRange(image, stored).end > 0;
                int othersNamingOld = 0;
                for (int i = 0; i < slotCount; ++i) {
                    if (i == own)
                        continue;
                    othersNamingOld += snapshot.at(i) == code ? 1 : 0;
                    FUZZ_CHECK(!tookRecord || snapshot.at(i) != stored,
                               context() + QStringLiteral(": also named at %1").arg(i));
                }
                const QVector<int> nowBytes = recordBytes(image, code);
                // A record still named elsewhere, or kept by a refused store, stays.
                if (othersNamingOld > 0 || result == EventStore::StoreResult::PoolFull)
                    FUZZ_CHECK(nowBytes == oldBytes, context() + ": its old record changed");
                changeable << oldRecord << recordRange(image, stored);

                if (result == EventStore::StoreResult::PoolFull) {
                    FUZZ_CHECK(stored == code, context());
                    continue;
                }
                FUZZ_CHECK((result == EventStore::StoreResult::NoEvent) == (stored == 0),
                           context());
                FUZZ_CHECK(stored == 0 || inRange(image, l.kind, stored, true), context());
                if (kept)
                    FUZZ_CHECK(EventRecords::describeEvent(image, stored) == description,
                               context() + ": " + description + " became " +
                                   EventRecords::describeEvent(image, stored));
            }
            const QVector<int> after = eventSnapshot(image);
            checkOnlyOwnChanged(snapshot, after, changeable, where(l.kind, list, -1));
            snapshot = after;
        }
    }
}

QByteArray save(const PresetImage &image)
{
    QByteArray saved;
    QBuffer out(&saved);
    out.open(QIODevice::WriteOnly);
    FUZZ_CHECK(PresetFile::write(out, image), QString());
    return saved;
}

// Reads file bytes with the file format code; reading from memory cannot fail.
PresetFile read(const QByteArray &bytes)
{
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    PresetFile file;
    FUZZ_CHECK(file.read(in, ImageSize), QString());
    return file;
}

// Opens saved bytes, as the program would, into a fresh preset.
PresetImage reopen(const QByteArray &saved)
{
    const PresetFile file = read(saved);
    FUZZ_CHECK(file.verdict() == PresetFile::Verdict::Load, QString());
    PresetImage image;
    file.applyTo(image);
    return image;
}

void run(const QByteArray &data)
{
    const PresetFile file = read(data);

    // The header as the format defines it; a field not held completely reads as 0.
    FUZZ_CHECK(file.magic() == qint32(bigEndian(data, 0, 4)), QString());
    FUZZ_CHECK(file.version() == qint16(quint16(bigEndian(data, 4, 2))), QString());
    FUZZ_CHECK(file.imageBytes() == data.mid(HeaderSize, ImageSize), QString());
    const bool current = file.magic() == PresetFile::Magic;
    const bool older = file.magic() == PresetFile::OldMagic;
    const bool loads = (current || older) && file.version() <= PresetFile::Version;
    FUZZ_CHECK(PresetFile::accepts(file.verdict()) == loads, QString());
    FUZZ_CHECK(PresetFile::showsLaterNotice(file.verdict()) ==
                   ((current || older) && file.version() > PresetFile::Version),
               QString());
    if (!loads)
        return;

    PresetImage image;
    image.setValue(PresetImage::PresetName, 0, 'Z');
    image.buildImage();
    file.applyTo(image);
    const QByteArray bytes = file.imageBytes();
    for (int k = 0; k < ImageSize; ++k) {
        const int expected = k < bytes.size() ? quint8(bytes.at(k)) : views->defaults.at(k);
        FUZZ_CHECK(image.imageByte(k) == expected, QStringLiteral("image byte %1").arg(k));
    }

    image.parseImage();
    PresetImage built = image;
    built.buildImage();
    checkBytesOnly(built, "built");
    PresetImage rebuilt = built;
    rebuilt.parseImage();
    rebuilt.buildImage();
    FUZZ_CHECK(rebuilt.image() == built.image(), "build after parse is not stable");

    loadPages(image);
    browseAndStoreBack(image);
    applyPages(image);
    image.buildImage();
    checkBytesOnly(image, "saved");

    const QByteArray saved = save(image);
    FUZZ_CHECK(saved.size() == HeaderSize + ImageSize, QString::number(saved.size()));
    FUZZ_CHECK(saved.startsWith(QByteArray::fromHex("00234abd0200")), QString());
    PresetImage again = reopen(saved);
    FUZZ_CHECK(again.image() == image.image(), "the saved file reopens to another image");

    // Opened and saved once more without an edit, the file stays the same.
    again.parseImage();
    loadPages(again);
    applyPages(again);
    again.buildImage();
    FUZZ_CHECK(save(again) == saved, "a second open and save changed the file");
}

QByteArray header(const char *hex)
{
    return QByteArray::fromHex(hex);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::application();
    fuzz::dialogCloser();
    views = new Views;

    PresetImage preset;
    QByteArray defaults;
    for (int v : preset.image())
        defaults.append(static_cast<char>(v));
    // A preset using every kind of event, shared records and odd values.
    preset.setValue(PresetImage::TriggerSlots, 0, 0, 1);
    preset.setValue(PresetImage::TriggerSlots, 0, 1, 65);
    preset.setValue(PresetImage::TriggerSlots, 0, 2, 97);
    preset.setValue(PresetImage::TriggerSlots, 0, 3, 145);
    preset.setValue(PresetImage::TriggerSlots, 0, 4, 200);
    preset.setValue(PresetImage::TriggerSlots, 0, 5, 133);
    preset.setValue(PresetImage::SwitchSlots, 1, 0, 1);
    preset.setValue(PresetImage::MacroSlots, 2, 0, 141);
    preset.setValue(PresetImage::MacroSlots, 2, 1, 90);
    const int midi[] = {5, 0x99, 36, 127};
    for (int i = 0; i < 4; ++i)
        preset.setValue(PresetImage::MidiEventPool, 0, i, midi[i]);
    const int sysex[] = {2, 7, 0xF0, 0x43, 0x10, 0x4C, 0x00, 0xF7};
    for (int i = 0; i < 8; ++i)
        preset.setValue(PresetImage::SysexEventPool, 0, i, sysex[i]);
    preset.setValue(PresetImage::RelayEventPool, 0, 0, 2);
    preset.setValue(PresetImage::RelayEventPool, 0, 1, 2);
    const int serial[] = {9, 1, 1, 0, 'H', 'e', 'l', 'l', 'o'};
    for (int i = 0; i < 9; ++i)
        preset.setValue(PresetImage::SerialEventPool, 0, i, serial[i]);
    preset.buildImage();
    QByteArray events;
    for (int v : preset.image())
        events.append(static_cast<char>(v));

    QByteArray junk;
    for (int i = 0; i < ImageSize; ++i)
        junk.append(static_cast<char>((i * 167 + 13) & 0xFF));

    fuzz::writeSeeds("presetfile", {
                                       header("00234abd0200") + defaults,
                                       header("00234abd0200") + events,
                                       header("00234abc0200") + events.left(1232),
                                       header("00234abd01ff") + junk,
                                       header("00234abd8000") + events + junk.left(40),
                                       header("00234abd0200") + events.left(10),
                                       header("00234abd"),
                                       header("00234abd0201") + events,
                                       header("00234abc0201"),
                                   });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    run(QByteArray(reinterpret_cast<const char *>(data), int(size)));
    return 0;
}
