#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

class PresetImage;
class QFile;
class QIODevice;

// The preset file format: a big-endian header (32-bit magic, 16-bit version)
// followed by the image bytes. read() takes a file apart without touching any
// preset, so a refused or failed open can leave the current preset alone;
// applyTo() then loads an accepted file into a preset.
class PresetFile
{
public:
    static constexpr qint32 Magic = 0x00234ABD;
    // Written by earlier releases; still read.
    static constexpr qint32 OldMagic = 0x00234ABC;
    static constexpr qint16 Version = 0x0200;

    enum class Verdict {
        Load,             // current magic and version
        LoadAfterEarlier, // earlier-version notice, then load
        RefuseAfterLater, // later-version notice, refuse
        RefuseAfterBoth,  // old magic with a later version: both notices, refuse
        RefuseForeign,    // not a preset file: refuse without a notice
    };

    static Verdict judge(qint32 magic, qint16 version);
    static bool accepts(Verdict verdict);
    static bool showsEarlierNotice(Verdict verdict);
    static bool showsLaterNotice(Verdict verdict);
    static QString earlierNotice();
    static QString laterNotice();

    // Reads the header and at most `imageSize` image bytes; whatever follows
    // is ignored. A header field the device does not hold completely reads as
    // 0. Returns false when the device reports an error, which refuses the file.
    bool read(QIODevice &device, int imageSize);

    qint32 magic() const { return m_magic; }
    qint16 version() const { return m_version; }
    Verdict verdict() const { return judge(m_magic, m_version); }
    const QByteArray &imageBytes() const { return m_image; }

    // Resets the preset to the defaults and overwrites the start of its image
    // with the bytes read, each as its unsigned value. The model is left at
    // the defaults: the caller parses the image.
    void applyTo(PresetImage &image) const;

    // Writes the current header and the whole image, the low 8 bits of each
    // element. False when the device did not take every byte.
    static bool write(QIODevice &device, const PresetImage &image);
    // Writes the image's bytes (built beforehand) as a preset file at `path`,
    // or any bytes at all, so that the file is either whole or untouched. On
    // failure `error`, when given, says why.
    static bool save(const QString &path, const PresetImage &image, QString *error = nullptr);

    // Opens `file` for reading only when it is a regular file: opening a FIFO
    // would wait for a writer, and a device may never end. On failure
    // `reason`, when given, says why ("a directory", "not a regular file", or
    // the open's own error).
    static bool openRegular(QFile &file, QString *reason = nullptr);
    static bool saveBytes(const QString &path, const QByteArray &bytes, QString *error = nullptr);

private:
    qint32 m_magic = 0;
    qint16 m_version = 0;
    QByteArray m_image;
};
