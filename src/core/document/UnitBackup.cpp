#include "core/document/UnitBackup.h"

#include "core/document/PresetFile.h"
#include "core/preset/PresetImage.h"
#include "core/preset/PresetSettings.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>

namespace {

const QString Prefix = QStringLiteral("rsx4-");
const QString Suffix = QStringLiteral(".rsx4pre");

// A backup's place in time: its stamp, then its number ("-2" ...; none is 1).
// The names alone order the files, so backups taken within one second keep
// their order whatever the file times say.
struct Stamp
{
    QString time;
    int number = 0;
    bool operator<(const Stamp &other) const
    {
        return time != other.time ? time < other.time : number < other.number;
    }
};

bool stampOf(const QString &name, Stamp &stamp)
{
    static const QRegularExpression pattern(
        QStringLiteral("^rsx4-(\\d{8}-\\d{6})(?:-(\\d+))?\\.rsx4pre$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return false;
    stamp = {match.captured(1), match.captured(2).isEmpty() ? 1 : match.captured(2).toInt()};
    return true;
}

QByteArray fileBytes(const PresetImage &preset)
{
    // As the window would save it after a download: through its pages.
    PresetImage built = preset;
    PresetSettings::settle(built);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    PresetFile::write(buffer, built);
    return buffer.data();
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

QString UnitBackup::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/cuesmith/backups");
}

UnitBackup::UnitBackup(const QString &folder)
    : m_folder(folder), m_clock([] { return QDateTime::currentDateTime(); })
{
}

bool UnitBackup::makeFolder() const
{
    return QDir().mkpath(m_folder);
}

QStringList UnitBackup::files() const
{
    QVector<QPair<Stamp, QString>> found;
    for (const QString &name : QDir(m_folder).entryList({Prefix + '*' + Suffix}, QDir::Files)) {
        Stamp stamp;
        if (stampOf(name, stamp))
            found.append({stamp, QDir(m_folder).filePath(name)});
    }
    std::sort(found.begin(), found.end(),
              [](const auto &a, const auto &b) { return b.first < a.first; });
    QStringList paths;
    for (const auto &entry : found)
        paths << entry.second;
    return paths;
}

QString UnitBackup::freeName(const QDateTime &time) const
{
    const QString base =
        QDir(m_folder).filePath(Prefix + time.toString(QStringLiteral("yyyyMMdd-HHmmss")));
    QString path = base + Suffix;
    for (int number = 2; QFileInfo::exists(path); ++number)
        path = base + '-' + QString::number(number) + Suffix;
    return path;
}

UnitBackup::Result UnitBackup::keep(const PresetImage &unitPreset)
{
    m_lastError.clear();
    const QByteArray bytes = fileBytes(unitPreset);
    const QStringList existing = files();
    if (!existing.isEmpty() && readAll(existing.first()) == bytes) {
        m_lastPath = existing.first();
        return Result::Unchanged;
    }
    m_lastPath = freeName(m_clock());
    if (!makeFolder()) {
        m_lastError = QCoreApplication::translate("UnitBackup", "the folder cannot be created");
        return Result::Failed;
    }
    if (!PresetFile::saveBytes(m_lastPath, bytes, &m_lastError))
        return Result::Failed;
    const QStringList all = files();
    for (int i = Kept; i < all.size(); ++i)
        QFile::remove(all.at(i));
    return Result::Written;
}
