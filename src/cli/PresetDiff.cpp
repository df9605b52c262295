#include "cli/PresetDiff.h"

#include "cli/EventJson.h"
#include "cli/PresetJson.h"
#include "cli/RoutingPatch.h"
#include "cli/SlotSection.h"
#include "core/events/EventRecords.h"
#include "core/preset/PresetImage.h"
#include "core/preset/PresetSettings.h"
#include "core/preset/PresetText.h"
#include "core/preset/RoutingMatrix.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString compact(const QJsonValue &value)
{
    if (value.isObject())
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    if (value.isArray())
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    return value.toVariant().toString();
}

QString listOr(const QStringList &names)
{
    return names.isEmpty() ? QStringLiteral("-") : names.join(", ");
}

} // namespace

QVector<PresetDiff::Entry> PresetDiff::entries(const PresetImage &image)
{
    const QJsonObject json = PresetJson::toJson(image);
    QVector<Entry> list;
    const auto add = [&list](const QString &label, const QString &words, const QString &fields) {
        list.append({label, words, fields});
    };
    const QJsonObject general = json[PresetJson::generalKey()].toObject();
    for (const QString &key : {PresetSettings::presetName(), PresetSettings::presetDescription()})
        add(key,
            '"' +
                PresetText::read(image, key == PresetSettings::presetName()
                                            ? PresetImage::PresetName
                                            : PresetImage::PresetDescription) +
                '"',
            compact(general[key]));
    for (const PresetSetting &s : PresetSettings::general() + PresetSettings::gpiTable() +
                                      PresetSettings::relayTable() + PresetSettings::midi())
        add(s.title(), s.text(image), QString::number(s.storedValue(image)));

    const QJsonObject midi = json[PresetJson::midiKey()].toObject();
    const QJsonObject groups = midi[PresetSettings::groupsTitle()].toObject();
    for (const QString &group : PresetSettings::groupNames()) {
        const QString words = listOr(groups[group].toVariant().toStringList());
        add(group, words, words);
    }
    for (const RoutingPatch &patch : RoutingPatch::all()) {
        for (const QString &source : RoutingMatrix::sourceNames()) {
            const QString words =
                listOr(midi[patch.name].toObject()[source].toVariant().toStringList());
            add(patch.name + ' ' + source, words, words);
        }
    }

    for (const SlotSection &section : SlotSection::all()) {
        for (int l = 0; l < section.lists.size(); ++l) {
            for (int slot = 0; slot < image.columns(section.table); ++slot) {
                const int code = image.value(section.table, l, slot);
                add(QStringLiteral("%1 slot %2").arg(section.lists.at(l)).arg(slot + 1),
                    EventRecords::describeEvent(image, code),
                    code ? compact(EventJson::toJson(image, code)) : QStringLiteral("0"));
            }
        }
    }

    QHash<int, QString> unlisted;
    for (const QJsonValue &record :
         json[PresetJson::eventsKey()].toObject()[PresetJson::unlistedKey()].toArray())
        unlisted.insert(record.toObject()["code"].toInt(), compact(record));
    const PresetImage layout;
    for (int code = 1; code <= EventJson::LastCode; ++code) {
        if (!EventJson::recordOf(layout, code).isEmpty()) {
            const QString fields = unlisted.value(code, QStringLiteral("-"));
            add(QStringLiteral("Unlisted record %1").arg(code), fields, fields);
        }
    }
    const QJsonObject carried = json[PresetJson::carriedKey()].toObject();
    for (auto it = carried.begin(); it != carried.end(); ++it)
        add(it.key(), compact(it.value()), compact(it.value()));
    return list;
}

QStringList PresetDiff::compare(const PresetImage &before, const PresetImage &after)
{
    const QVector<Entry> a = entries(before);
    const QVector<Entry> b = entries(after);
    QStringList lines;
    for (int i = 0; i < a.size() && i < b.size(); ++i) {
        if (a.at(i).fields == b.at(i).fields && a.at(i).words == b.at(i).words)
            continue;
        const bool sameWords = a.at(i).words == b.at(i).words;
        lines << QStringLiteral("%1: %2 -> %3")
                     .arg(a.at(i).label, sameWords ? a.at(i).fields : a.at(i).words,
                          sameWords ? b.at(i).fields : b.at(i).words);
    }
    return lines;
}
