#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class PresetImage;
class QIODevice;

// Presets as the tool reads and writes them: a preset file judged as the
// window's Open judges it, or a JSON export; in both cases the model is left
// as the window would save it, so that two presets compare by what a save
// would write.
class PresetSource
{
public:
    // False, with the reason in `error`, for a file that cannot be read or is
    // refused. The version notices the window would show go to `notices`.
    // Without `settle`, a preset file's model is exactly what the file holds.
    static bool load(const QString &path, PresetImage &image, QString &error,
                     QStringList *notices = nullptr, bool settle = true);
    static bool loadPresetFile(QIODevice &device, PresetImage &image, QString &error,
                               QStringList *notices = nullptr, bool settle = true);
    static bool loadJson(const QByteArray &data, PresetImage &image, QString &error);
    // Whether a file that begins with `head` is meant as JSON.
    static bool isJson(const QByteArray &head);
    // The whole of a JSON file, unless it is larger than any export can be.
    static bool readJson(const QString &path, QByteArray &data, QString &error);

    // Builds the image and writes it as a preset file, atomically.
    static bool save(const QString &path, PresetImage &image, QString &error);
    // Written beside the target and renamed over it only when complete.
    static bool writeFile(const QString &path, const QByteArray &data, QString &error);
};
