#include "PresetFile.h"
#include "PresetImage.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QtTest>
#include <algorithm>

namespace {

// Holds `data` for reading, or takes writes, and reports an error once
// `limit` bytes have passed in either direction.
class FailingDevice : public QIODevice
{
public:
    FailingDevice(const QByteArray &data, qint64 limit) : m_data(data), m_limit(limit) {}
    const QByteArray &written() const { return m_written; }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_pos >= m_limit)
            return -1;
        const qint64 n = std::min({maxSize, m_limit - m_pos, qint64(m_data.size()) - m_pos});
        memcpy(data, m_data.constData() + m_pos, size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 room = m_limit - m_written.size();
        if (room <= 0)
            return -1;
        const qint64 n = qMin(size, room);
        m_written.append(data, int(n));
        return n;
    }

private:
    QByteArray m_data;
    QByteArray m_written;
    qint64 m_limit;
    qint64 m_pos = 0;
};

QByteArray header(quint32 magic, quint16 version)
{
    QByteArray out;
    for (int shift : {24, 16, 8, 0})
        out.append(char((magic >> shift) & 0xFF));
    out.append(char(version >> 8));
    out.append(char(version & 0xFF));
    return out;
}

QByteArray bytesOf(const PresetImage &image)
{
    QByteArray out;
    for (int v : image.image())
        out.append(char(v & 0xFF));
    return out;
}

QByteArray randomBytes(int count)
{
    QByteArray out(count, 0);
    for (char &c : out)
        c = char(QRandomGenerator::global()->bounded(256));
    return out;
}

} // namespace

Q_DECLARE_METATYPE(PresetFile::Verdict)

class tst_PresetFile : public QObject
{
    Q_OBJECT
private slots:
    void verdicts_data();
    void verdicts();
    void reading_data();
    void reading();
    void readErrors_data();
    void readErrors();
    void applyRewritesFromDefaults();
    void writing();
    void writeErrors();
    void roundTrip();
};

void tst_PresetFile::verdicts_data()
{
    QTest::addColumn<quint32>("magic");
    QTest::addColumn<quint16>("version");
    QTest::addColumn<PresetFile::Verdict>("verdict");
    QTest::addColumn<bool>("earlier");
    QTest::addColumn<bool>("later");
    QTest::addColumn<bool>("accepted");

    using V = PresetFile::Verdict;
    QTest::newRow("current") << 0x00234ABDu << quint16(0x0200) << V::Load << false << false << true;
    QTest::newRow("earlier 0x01ff")
        << 0x00234ABDu << quint16(0x01FF) << V::LoadAfterEarlier << true << false << true;
    QTest::newRow("version 0") << 0x00234ABDu << quint16(0) << V::LoadAfterEarlier << true << false
                               << true;
    QTest::newRow("negative 0x8000")
        << 0x00234ABDu << quint16(0x8000) << V::LoadAfterEarlier << true << false << true;
    QTest::newRow("negative 0xffff")
        << 0x00234ABDu << quint16(0xFFFF) << V::LoadAfterEarlier << true << false << true;
    QTest::newRow("later 0x0201") << 0x00234ABDu << quint16(0x0201) << V::RefuseAfterLater << false
                                  << true << false;
    QTest::newRow("later 0x7fff") << 0x00234ABDu << quint16(0x7FFF) << V::RefuseAfterLater << false
                                  << true << false;
    QTest::newRow("old magic current")
        << 0x00234ABCu << quint16(0x0200) << V::LoadAfterEarlier << true << false << true;
    QTest::newRow("old magic earlier")
        << 0x00234ABCu << quint16(0x0100) << V::LoadAfterEarlier << true << false << true;
    QTest::newRow("old magic negative")
        << 0x00234ABCu << quint16(0x8000) << V::LoadAfterEarlier << true << false << true;
    QTest::newRow("old magic later")
        << 0x00234ABCu << quint16(0x0201) << V::RefuseAfterBoth << true << true << false;
    QTest::newRow("foreign") << 0x00234ABEu << quint16(0x0200) << V::RefuseForeign << false << false
                             << false;
    QTest::newRow("zero magic") << 0u << quint16(0) << V::RefuseForeign << false << false << false;
    QTest::newRow("byte-swapped magic")
        << 0xBD4A2300u << quint16(0x0200) << V::RefuseForeign << false << false << false;
}

void tst_PresetFile::verdicts()
{
    QFETCH(quint32, magic);
    QFETCH(quint16, version);
    QFETCH(PresetFile::Verdict, verdict);
    QFETCH(bool, earlier);
    QFETCH(bool, later);
    QFETCH(bool, accepted);

    // Through the bytes of a file, so the header is decoded as well as judged.
    QBuffer buffer;
    buffer.setData(header(magic, version));
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    PresetFile file;
    QVERIFY(file.read(buffer, 1760));
    QCOMPARE(file.magic(), qint32(magic));
    QCOMPARE(file.version(), qint16(version));
    QCOMPARE(file.verdict(), verdict);
    QCOMPARE(PresetFile::showsEarlierNotice(verdict), earlier);
    QCOMPARE(PresetFile::showsLaterNotice(verdict), later);
    QCOMPARE(PresetFile::accepts(verdict), accepted);
}

void tst_PresetFile::reading_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<PresetFile::Verdict>("verdict");
    QTest::addColumn<int>("imageBytes");

    using V = PresetFile::Verdict;
    const QByteArray current = header(0x00234ABD, 0x0200);
    QTest::newRow("empty") << QByteArray() << V::RefuseForeign << 0;
    QTest::newRow("three bytes") << current.left(3) << V::RefuseForeign << 0;
    QTest::newRow("magic only") << current.left(4) << V::LoadAfterEarlier << 0;
    QTest::newRow("half a version") << current.left(5) << V::LoadAfterEarlier << 0;
    QTest::newRow("header only") << current << V::Load << 0;
    QTest::newRow("short") << current + randomBytes(100) << V::Load << 100;
    QTest::newRow("old 1232") << header(0x00234ABC, 0x0200) + randomBytes(1232)
                              << V::LoadAfterEarlier << 1232;
    QTest::newRow("whole") << current + randomBytes(1760) << V::Load << 1760;
    QTest::newRow("long") << current + randomBytes(2000) << V::Load << 1760;
    QTest::newRow("later with image")
        << header(0x00234ABD, 0x0201) + randomBytes(1760) << V::RefuseAfterLater << 1760;
    QTest::newRow("foreign with image")
        << QByteArray("GIF89a") + randomBytes(1760) << V::RefuseForeign << 1760;
}

void tst_PresetFile::reading()
{
    QFETCH(QByteArray, data);
    QFETCH(PresetFile::Verdict, verdict);
    QFETCH(int, imageBytes);

    QBuffer buffer(&data);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    PresetFile file;
    QVERIFY(file.read(buffer, 1760));
    QCOMPARE(file.verdict(), verdict);
    QCOMPARE(file.imageBytes(), data.mid(6, imageBytes));

    if (!PresetFile::accepts(verdict))
        return;
    PresetImage image;
    file.applyTo(image);
    PresetImage defaults;
    for (int k = 0; k < image.imageSize(); ++k) {
        const int expected = k < imageBytes ? quint8(data[6 + k]) : defaults.imageByte(k);
        QCOMPARE(image.imageByte(k), expected);
    }
}

void tst_PresetFile::readErrors_data()
{
    QTest::addColumn<int>("failAfter");
    QTest::newRow("at once") << 0;
    QTest::newRow("inside the magic") << 2;
    QTest::newRow("inside the version") << 5;
    QTest::newRow("after the header") << 6;
    QTest::newRow("inside the image") << 500;
    QTest::newRow("one byte short") << 1765;
}

void tst_PresetFile::readErrors()
{
    QFETCH(int, failAfter);
    FailingDevice device(header(0x00234ABD, 0x0200) + randomBytes(1760), failAfter);
    QVERIFY(device.open(QIODevice::ReadOnly));
    PresetFile file;
    QVERIFY(!file.read(device, 1760));

    // A file read in full from the same bytes is fine.
    FailingDevice whole(header(0x00234ABD, 0x0200) + randomBytes(1760), 1766);
    QVERIFY(whole.open(QIODevice::ReadOnly));
    QVERIFY(file.read(whole, 1760));
    QCOMPARE(file.imageBytes().size(), 1760);
}

void tst_PresetFile::applyRewritesFromDefaults()
{
    PresetImage image;
    image.setValue(PresetImage::PresetName, 0, 'Z');
    image.setValue(PresetImage::SerialConfig, 0, 7);
    image.buildImage();

    QByteArray data = header(0x00234ABC, 0x0200) + QByteArray(1232, 0);
    data[6] = char(0xEB);
    data[6 + 40] = char(0xFF);
    QBuffer buffer(&data);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    PresetFile file;
    QVERIFY(file.read(buffer, image.imageSize()));
    file.applyTo(image);

    QCOMPARE(image.imageByte(0), 235);
    QCOMPARE(image.imageByte(40), 255);
    QCOMPARE(image.imageByte(1), 0);
    // The tail keeps the defaults, not what the preset held before.
    const PresetImage defaults;
    for (int k = 1232; k < 1760; ++k)
        QCOMPARE(image.imageByte(k), defaults.imageByte(k));
    QCOMPARE(image.imageByte(1232), 2);
    QCOMPARE(image.imageByte(1234), 8);
    QCOMPARE(image.imageByte(1235), 1);
    // The model is back at the defaults until the caller parses the image.
    QCOMPARE(image.value(PresetImage::PresetName, 0), int('<'));
    QCOMPARE(image.value(PresetImage::SerialConfig, 0), 2);
    image.parseImage();
    QCOMPARE(image.value(PresetImage::ConfigBlock, 0), 235);
}

void tst_PresetFile::writing()
{
    PresetImage image;
    image.buildImage();
    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::WriteOnly));
    QVERIFY(PresetFile::write(buffer, image));
    const QByteArray written = buffer.data();
    QCOMPARE(written.size(), 1766);
    QCOMPARE(written.left(6), QByteArray::fromHex("00234abd0200"));
    QCOMPARE(written.mid(6), bytesOf(image));
    QCOMPARE(quint8(written[6]), quint8(0xEB));

    // Only the low 8 bits of an element reach the file.
    image.setImageByte(100, 0x1FF);
    image.setImageByte(101, -1);
    QBuffer second;
    QVERIFY(second.open(QIODevice::WriteOnly));
    QVERIFY(PresetFile::write(second, image));
    QCOMPARE(quint8(second.data()[106]), quint8(0xFF));
    QCOMPARE(quint8(second.data()[107]), quint8(0xFF));
    QCOMPARE(second.data().size(), 1766);
}

void tst_PresetFile::writeErrors()
{
    PresetImage image;
    for (qint64 limit : {0, 3, 6, 1000, 1765}) {
        FailingDevice device({}, limit);
        QVERIFY(device.open(QIODevice::WriteOnly));
        QVERIFY2(!PresetFile::write(device, image), qPrintable(QString::number(limit)));
    }
    FailingDevice roomy({}, 1766);
    QVERIFY(roomy.open(QIODevice::WriteOnly));
    QVERIFY(PresetFile::write(roomy, image));
    QCOMPARE(roomy.written().size(), 1766);
}

void tst_PresetFile::roundTrip()
{
    PresetImage image;
    const QByteArray bytes = randomBytes(image.imageSize());
    for (int k = 0; k < bytes.size(); ++k)
        image.setImageByte(k, quint8(bytes[k]));

    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::ReadWrite));
    QVERIFY(PresetFile::write(buffer, image));
    buffer.seek(0);
    PresetFile file;
    QVERIFY(file.read(buffer, image.imageSize()));
    QCOMPARE(file.verdict(), PresetFile::Verdict::Load);

    PresetImage reopened;
    reopened.setImageByte(5, 77);
    file.applyTo(reopened);
    QCOMPARE(reopened.image(), image.image());
}

QTEST_GUILESS_MAIN(tst_PresetFile)
#include "tst_presetfile.moc"
