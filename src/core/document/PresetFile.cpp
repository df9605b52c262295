#include "core/document/PresetFile.h"

#include "core/preset/PresetImage.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QSaveFile>

namespace {

// Reads up to `count` bytes, fewer only at the end of the data. False on a
// device error.
bool readUpTo(QIODevice &device, int count, QByteArray &out)
{
    out.resize(count);
    int done = 0;
    while (done < count) {
        const qint64 got = device.read(out.data() + done, count - done);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        done += int(got);
    }
    out.resize(done);
    return true;
}

quint32 bigEndian(const QByteArray &bytes, int offset, int size)
{
    if (bytes.size() < offset + size)
        return 0;
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | quint8(bytes[offset + i]);
    return value;
}

void appendBigEndian(QByteArray &out, quint32 value, int size)
{
    for (int i = size - 1; i >= 0; --i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

} // namespace

PresetFile::Verdict PresetFile::judge(qint32 magic, qint16 version)
{
    if (magic == Magic) {
        if (version == Version)
            return Verdict::Load;
        return version < Version ? Verdict::LoadAfterEarlier : Verdict::RefuseAfterLater;
    }
    if (magic == OldMagic)
        return version <= Version ? Verdict::LoadAfterEarlier : Verdict::RefuseAfterBoth;
    return Verdict::RefuseForeign;
}

bool PresetFile::accepts(Verdict verdict)
{
    return verdict == Verdict::Load || verdict == Verdict::LoadAfterEarlier;
}

bool PresetFile::showsEarlierNotice(Verdict verdict)
{
    return verdict == Verdict::LoadAfterEarlier || verdict == Verdict::RefuseAfterBoth;
}

bool PresetFile::showsLaterNotice(Verdict verdict)
{
    return verdict == Verdict::RefuseAfterLater || verdict == Verdict::RefuseAfterBoth;
}

QString PresetFile::earlierNotice()
{
    return QStringLiteral("This preset file was created with an earlier version of Cuesmith. "
                          "Please be aware that saving in this version will prevent loading in "
                          "the earlier version.");
}

QString PresetFile::laterNotice()
{
    return QStringLiteral("This preset file was created with a later version of Cuesmith. "
                          "Please upgrade to the latest version.");
}

bool PresetFile::read(QIODevice &device, int imageSize)
{
    m_magic = 0;
    m_version = 0;
    m_image.clear();

    QByteArray header;
    if (!readUpTo(device, 6, header))
        return false;
    m_magic = qint32(bigEndian(header, 0, 4));
    m_version = qint16(quint16(bigEndian(header, 4, 2)));
    if (header.size() < 6)
        return true;

    QByteArray image;
    if (!readUpTo(device, qMax(imageSize, 0), image))
        return false;
    m_image = image;
    return true;
}

void PresetFile::applyTo(PresetImage &image) const
{
    image.clearModel();
    image.resetToDefaults();
    const int count = qMin(m_image.size(), image.imageSize());
    for (int k = 0; k < count; ++k)
        image.setImageByte(k, quint8(m_image[k]));
}

bool PresetFile::write(QIODevice &device, const PresetImage &image)
{
    QByteArray data;
    data.reserve(6 + image.imageSize());
    appendBigEndian(data, quint32(Magic), 4);
    appendBigEndian(data, quint16(Version), 2);
    for (int k = 0; k < image.imageSize(); ++k)
        data.append(char(image.imageByte(k) & 0xFF));
    return device.write(data) == data.size();
}

bool PresetFile::save(const QString &path, const PresetImage &image, QString *error)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    write(buffer, image);
    return saveBytes(path, buffer.data(), error);
}

bool PresetFile::saveBytes(const QString &path, const QByteArray &bytes, QString *error)
{
    // Written beside the old file and renamed over it only when complete, so
    // a failed save never costs the user the file they had. Unbuffered: a
    // buffered write that the disk takes only in part would go unnoticed.
    QSaveFile file(path);
    const bool saved = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                       file.write(bytes) == bytes.size() && file.commit();
    if (!saved && error)
        *error = file.errorString();
    return saved;
}

bool PresetFile::openRegular(QFile &file, QString *reason)
{
    const QFileInfo info(file.fileName());
    QString why;
    if (info.isDir())
        why = QStringLiteral("a directory");
    else if (info.exists() && !info.isFile())
        why = QStringLiteral("not a regular file");
    else if (!file.open(QIODevice::ReadOnly))
        why = file.errorString();
    if (reason)
        *reason = why;
    return why.isEmpty();
}
