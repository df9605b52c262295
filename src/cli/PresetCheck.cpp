#include "cli/PresetCheck.h"

#include "cli/EventJson.h"
#include "cli/RoutingPatch.h"
#include "cli/SlotSection.h"
#include "core/events/EventRecords.h"
#include "core/events/EventStore.h"
#include "core/preset/PresetImage.h"
#include "core/preset/PresetSettings.h"
#include "core/preset/RoutingMatrix.h"

namespace {

constexpr int SysexLengthMax = EventRecords::SysexMaxMessage + 1;
constexpr int SerialLengthMax = EventRecords::SerialHeaderSize + EventRecords::SerialMaxData;

struct Range
{
    const char *field;
    int index;
    int min;
    int max;
};

QString recordName(int code)
{
    return QStringLiteral("%1 record of code %2")
        .arg(EventJson::kindName(EventRecords::kindOfCode(code)))
        .arg(code);
}

// The fields of an in-use record that no editor would have written.
void checkRecord(QStringList &problems, int code, const QVector<int> &r)
{
    const int ports = EventRecords::midiPortNames().size();
    QVector<Range> ranges;
    switch (EventRecords::kindOfCode(code)) {
    case EventKind::Midi:
        ranges = {{"port", 0, 1, ports},
                  {"status", 1, EventRecords::StatusFirst, EventRecords::StatusLast},
                  {"data 1", 2, 0, EventRecords::DataMax},
                  {"data 2", 3, 0, EventRecords::DataMax}};
        break;
    case EventKind::SysEx:
        ranges = {{"port", 0, 1, ports}, {"length", 1, 1, SysexLengthMax}};
        break;
    case EventKind::Relay:
        ranges = {{"relay", 0, 1, int(EventRecords::relayNumberNames().size())},
                  {"action", 1, 0, int(EventRecords::relayActionNames().size()) - 1}};
        break;
    case EventKind::Serial:
        ranges = {{"length", 0, EventRecords::SerialHeaderSize, SerialLengthMax},
                  {"ascii flag", 1, 0, 1},
                  {"CR flag", 2, 0, 1},
                  {"LF flag", 3, 0, 1}};
        break;
    default:
        break;
    }
    for (const Range &range : ranges) {
        const int value = r.at(range.index);
        if (value < range.min || value > range.max)
            problems << QStringLiteral("%1: %2 %3 is outside %4-%5")
                            .arg(recordName(code), range.field)
                            .arg(value)
                            .arg(range.min)
                            .arg(range.max);
    }
}

} // namespace

QStringList PresetCheck::problems(const PresetImage &image)
{
    QStringList problems;
    QList<SlotSection> sections = SlotSection::all();
    sections.first().lists << SlotSection::hiddenListName();
    for (const SlotSection &section : sections) {
        for (int l = 0; l < section.lists.size(); ++l) {
            for (int slot = 0; slot < image.columns(section.table); ++slot) {
                const int code = image.value(section.table, l, slot);
                const QString where = QStringLiteral("%1 slot %2: code %3")
                                          .arg(section.lists.at(l))
                                          .arg(slot + 1)
                                          .arg(code);
                const QVector<int> record = EventJson::recordOf(image, code);
                if (code != 0 && EventRecords::kindOfCode(code) == EventKind::None)
                    problems << where + " is in no event range";
                else if (EventRecords::kindOfCode(code) == EventKind::SysEx && record.isEmpty())
                    problems << where + " names no SysEx record (there are 16)";
                else if (!record.isEmpty() && record.first() == 0)
                    problems << where + " names a free " +
                                    EventJson::kindName(EventRecords::kindOfCode(code)) + " record";
            }
        }
    }

    for (const PresetSetting &s : PresetSettings::general() + PresetSettings::gpiTable() +
                                      PresetSettings::relayTable() + PresetSettings::midi()) {
        if (!s.isEncoded(image))
            problems << QStringLiteral("%1: value %2 is outside its encoding (%3)")
                            .arg(s.title())
                            .arg(s.storedValue(image))
                            .arg(s.items.join(", "));
    }
    for (int g = 0; g < PresetSettings::groupNames().size(); ++g) {
        const int byte = image.imageByte(image.region(PresetImage::ConfigBlock).offset + 10 + g);
        if (byte > 0x0F)
            problems << QStringLiteral("%1: byte 0x%2 has bits 4-7 set")
                            .arg(PresetSettings::groupNames().at(g))
                            .arg(byte, 2, 16, QChar('0'));
    }
    for (const RoutingPatch &patch : RoutingPatch::all()) {
        for (int r = 0; r < RoutingMatrix::Rows; ++r) {
            const int byte = image.imageByte(image.region(patch.region).offset + r);
            for (int c = 0; c < RoutingMatrix::Columns; ++c) {
                if ((byte >> c & 1) && image.value(patch.region, r, c) == RoutingMatrix::Unroutable)
                    problems << QStringLiteral("%1: %2 is routed to %3, which cannot be routed")
                                    .arg(patch.name, RoutingMatrix::sourceNames().at(r),
                                         RoutingMatrix::destinationNames().at(c));
            }
        }
    }

    for (int code = 1; code <= EventJson::LastCode; ++code) {
        const QVector<int> record = EventJson::recordOf(image, code);
        if (record.isEmpty() || record.first() == 0)
            continue;
        checkRecord(problems, code, record);
        if (EventStore::referenceCount(image, code) == 0)
            problems << recordName(code) + ": in use, but no slot names it";
    }
    return problems;
}
