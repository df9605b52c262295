#include "cli/TextReport.h"

#include "cli/RoutingPatch.h"
#include "cli/SlotSection.h"
#include "core/events/EventRecords.h"
#include "core/preset/FunctionNames.h"
#include "core/preset/PresetImage.h"
#include "core/preset/PresetSettings.h"
#include "core/preset/PresetText.h"
#include "core/preset/RoutingMatrix.h"

#include <QTextStream>

namespace {

constexpr int Indent = 2;

void settings(QTextStream &out, const PresetImage &image, const QList<PresetSetting> &list)
{
    for (const PresetSetting &s : list)
        out << QString(Indent, ' ') << s.label() << ' ' << s.text(image) << '\n';
}

// Columns padded to their widest cell, two blanks apart.
void table(QTextStream &out, const QList<QStringList> &rows)
{
    QVector<int> widths;
    for (const QStringList &row : rows) {
        widths.resize(qMax(widths.size(), row.size()));
        for (int c = 0; c < row.size(); ++c)
            widths[c] = qMax(widths.at(c), row.at(c).size());
    }
    for (const QStringList &row : rows) {
        QString line(Indent, ' ');
        for (int c = 0; c < row.size(); ++c)
            line += c + 1 < row.size() ? row.at(c).leftJustified(widths.at(c) + 2) : row.at(c);
        out << line << '\n';
    }
}

QList<QStringList> settingTable(const PresetImage &image, const QStringList &headers,
                                const QList<PresetSetting> &list)
{
    QList<QStringList> rows{headers};
    for (const PresetSetting &s : list) {
        if (rows.last().first() != s.row)
            rows << QStringList{s.row};
        rows.last() << s.text(image);
    }
    return rows;
}

} // namespace

QString TextReport::show(const PresetImage &image)
{
    QString text;
    QTextStream out(&text);
    out << PresetSettings::presetName() << ": " << PresetText::read(image, PresetImage::PresetName)
        << '\n'
        << PresetSettings::presetDescription() << ": "
        << PresetText::read(image, PresetImage::PresetDescription) << "\n\n";

    out << FunctionNames::general() << '\n';
    settings(out, image, PresetSettings::general());

    out << '\n' << FunctionNames::gpioConfig() << '\n';
    table(out, settingTable(image, PresetSettings::gpiHeaders(), PresetSettings::gpiTable()));
    out << '\n';
    table(out, settingTable(image, PresetSettings::relayHeaders(), PresetSettings::relayTable()));

    out << '\n' << FunctionNames::midiConfig() << '\n';
    settings(out, image, PresetSettings::midi());
    for (int g = 0; g < PresetSettings::groupNames().size(); ++g) {
        QStringList outputs;
        for (int o = 0; o < PresetSettings::groupOutputs().size(); ++o) {
            if (image.value(PresetImage::RoutingGroups, g, o) == 1)
                outputs << PresetSettings::groupOutputs().at(o);
        }
        out << QString(Indent, ' ') << PresetSettings::groupNames().at(g) << ": "
            << (outputs.isEmpty() ? QStringLiteral("-") : outputs.join(", ")) << '\n';
    }
    for (const RoutingPatch &patch : RoutingPatch::all()) {
        out << '\n' << patch.name << " (x routed, - unroutable)\n";
        QList<QStringList> rows{QStringList{QString()} + RoutingMatrix::destinationNames()};
        for (int r = 0; r < RoutingMatrix::Rows; ++r) {
            QStringList row{RoutingMatrix::sourceNames().at(r)};
            for (int c = 0; c < RoutingMatrix::Columns; ++c) {
                const int cell = image.value(patch.region, r, c);
                row << (cell == 1 ? "x" : cell == RoutingMatrix::Unroutable ? "-" : ".");
            }
            rows << row;
        }
        table(out, rows);
    }

    for (const SlotSection &section : SlotSection::all()) {
        out << '\n' << section.title << '\n';
        for (int list = 0; list < section.lists.size(); ++list) {
            QStringList lines;
            for (int slot = 0; slot < image.columns(section.table); ++slot) {
                const int code = image.value(section.table, list, slot);
                if (code != 0)
                    lines << QStringLiteral("%1  %2")
                                 .arg(slot + 1, 2)
                                 .arg(EventRecords::describeEvent(image, code));
            }
            if (lines.isEmpty())
                continue;
            out << QString(Indent, ' ') << section.lists.at(list) << '\n';
            for (const QString &line : lines)
                out << QString(2 * Indent, ' ') << line << '\n';
        }
    }
    out.flush();
    return text;
}
