#include "cli/PresetSource.h"

#include "cli/JsonFields.h"
#include "cli/PresetJson.h"
#include "core/document/PresetFile.h"
#include "core/preset/PresetImage.h"
#include "core/preset/PresetSettings.h"

#include <QFile>
#include <QJsonDocument>

namespace {

// Far above any export (a full preset exports to a few hundred KiB): more is
// not read, let alone parsed.
constexpr qint64 MaxJsonSize = 4 << 20;
// Where the first character of a JSON export is looked for.
constexpr qint64 HeadSize = 4096;

// As the window opens a preset file, with the reason in the tool's words.
bool openRegular(QFile &file, QString &error)
{
    QString reason;
    if (PresetFile::openRegular(file, &reason))
        return true;
    error = QStringLiteral("%1: cannot be read: %2").arg(file.fileName(), reason);
    return false;
}

bool readJsonFrom(QFile &file, QByteArray &data, QString &error)
{
    data = file.size() > MaxJsonSize ? QByteArray() : file.read(MaxJsonSize + 1);
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("%1: cannot be read: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    if (file.size() <= MaxJsonSize && data.size() <= MaxJsonSize)
        return true;
    error = QStringLiteral("%1: refused: larger than any export (%2 MiB)")
                .arg(file.fileName())
                .arg(MaxJsonSize >> 20);
    return false;
}

} // namespace

bool PresetSource::isJson(const QByteArray &head)
{
    return head.trimmed().startsWith('{');
}

bool PresetSource::readJson(const QString &path, QByteArray &data, QString &error)
{
    QFile file(path);
    return openRegular(file, error) && readJsonFrom(file, data, error);
}

bool PresetSource::load(const QString &path, PresetImage &image, QString &error,
                        QStringList *notices, bool settleModel)
{
    QFile file(path);
    if (!openRegular(file, error))
        return false;
    if (isJson(file.peek(HeadSize))) {
        QByteArray data;
        if (!readJsonFrom(file, data, error))
            return false;
        if (loadJson(data, image, error))
            return true;
    } else if (loadPresetFile(file, image, error, notices, settleModel)) {
        return true;
    }
    error = path + ": " + error;
    return false;
}

bool PresetSource::loadPresetFile(QIODevice &device, PresetImage &image, QString &error,
                                  QStringList *notices, bool settleModel)
{
    // As the window's Open reads it: the header and one image, whatever follows.
    PresetFile file;
    if (!file.read(device, image.imageSize())) {
        error = QStringLiteral("cannot be read: %1").arg(device.errorString());
        return false;
    }
    const PresetFile::Verdict verdict = file.verdict();
    if (notices && PresetFile::showsEarlierNotice(verdict))
        *notices << PresetFile::earlierNotice();
    if (notices && PresetFile::showsLaterNotice(verdict))
        *notices << PresetFile::laterNotice();
    if (!PresetFile::accepts(verdict)) {
        error = verdict == PresetFile::Verdict::RefuseForeign
                    ? QStringLiteral("not a preset file")
                    : QStringLiteral("refused: written by a later version of Cuesmith");
        return false;
    }
    file.applyTo(image);
    image.parseImage();
    if (settleModel)
        PresetSettings::settle(image);
    return true;
}

bool PresetSource::loadJson(const QByteArray &data, PresetImage &image, QString &error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        error = document.isNull() ? QStringLiteral("not JSON: %1 at offset %2")
                                        .arg(parseError.errorString())
                                        .arg(parseError.offset)
                                  : QStringLiteral("not a JSON object");
        return false;
    }
    JsonFields fields;
    PresetJson::fromJson(document.object(), image, fields);
    if (!fields.ok()) {
        error = fields.error();
        return false;
    }
    PresetSettings::settle(image);
    return true;
}

bool PresetSource::save(const QString &path, PresetImage &image, QString &error)
{
    image.buildImage();
    if (PresetFile::save(path, image, &error))
        return true;
    error = QStringLiteral("%1: cannot be written: %2").arg(path, error);
    return false;
}

bool PresetSource::writeFile(const QString &path, const QByteArray &data, QString &error)
{
    if (PresetFile::saveBytes(path, data, &error))
        return true;
    error = QStringLiteral("%1: cannot be written: %2").arg(path, error);
    return false;
}
