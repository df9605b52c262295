#include "PresetSource.h"

#include "JsonFields.h"
#include "PresetFile.h"
#include "PresetImage.h"
#include "PresetJson.h"
#include "PresetSettings.h"

#include <QBuffer>
#include <QFile>
#include <QJsonDocument>

bool PresetSource::isJson(const QByteArray &data)
{
    return data.trimmed().startsWith('{');
}

bool PresetSource::load(const QString &path, PresetImage &image, QString &error,
                        QStringList *notices, bool settleModel)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: cannot be read: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("%1: cannot be read: %2").arg(path, file.errorString());
        return false;
    }
    const bool loaded = isJson(data) ? loadJson(data, image, error)
                                     : loadPresetFile(data, image, error, notices, settleModel);
    if (!loaded)
        error = path + ": " + error;
    return loaded;
}

bool PresetSource::loadPresetFile(const QByteArray &data, PresetImage &image, QString &error,
                                  QStringList *notices, bool settleModel)
{
    QByteArray copy = data;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    PresetFile file;
    file.read(buffer, image.imageSize());
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
        settle(image);
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
    settle(image);
    return true;
}

void PresetSource::settle(PresetImage &image)
{
    const QList<PresetSetting> all = PresetSettings::general() + PresetSettings::midi() +
                                     PresetSettings::gpiTable() + PresetSettings::relayTable();
    for (const PresetSetting &s : all) {
        const int item = s.itemOf(image);
        if (item >= 0)
            s.setItem(image, item);
    }
    image.buildImage();
    image.parseImage();
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
