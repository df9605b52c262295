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
        Q_UNUSED(data);
        const qint64 n = qMin(size, m_limit - m_pos);
        m_pos += n;
        return n > 0 ? n : -1;
    }

private:
    QByteArray m_data;
    qint64 m_limit;
    qint64 m_pos = 0;
};

// A header written as its twelve hex digits.
QByteArray header(const char *digits)
{
    return QByteArray::fromHex(digits);
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

// The file format without a window; tst_mainwindow opens and saves the common
// cases (current, earlier, later, old magic, foreign, short and long files)
// through the real window.
class tst_PresetFile : public QObject
{
    Q_OBJECT
private slots:
    void verdicts_data();
    void verdicts();
    void readErrors();
    void applyRewritesFromDefaults();
    void writing();
};

void tst_PresetFile::verdicts_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<PresetFile::Verdict>("verdict");
    QTest::addColumn<int>("version");

    using V = PresetFile::Verdict;
    QTest::newRow("version 0xffff is negative")
        << header("00234abdffff") << V::LoadAfterEarlier << -1;
    QTest::newRow("later 0x7fff") << header("00234abd7fff") << V::RefuseAfterLater << 0x7FFF;
    QTest::newRow("half a version reads as 0")
        << header("00234abd0200").left(5) << V::LoadAfterEarlier << 0;
    QTest::newRow("old magic, negative")
        << header("00234abc8000") << V::LoadAfterEarlier << -0x8000;
    QTest::newRow("byte-swapped magic") << header("bd4a23000200") << V::RefuseForeign << 0x200;
    QTest::newRow("zero magic") << header("000000000000") << V::RefuseForeign << 0;
}

void tst_PresetFile::verdicts()
{
    QFETCH(QByteArray, data);
    QFETCH(PresetFile::Verdict, verdict);
    QFETCH(int, version);
    QBuffer buffer(&data);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    PresetFile file;
    QVERIFY(file.read(buffer, 1760));
    QCOMPARE(file.version(), qint16(version));
    QCOMPARE(file.verdict(), verdict);
}

void tst_PresetFile::readErrors()
{
    // A device that fails part way refuses the file, wherever it fails.
    const QByteArray data = header("00234abd0200") + randomBytes(1760);
    for (qint64 failAfter : {0, 2, 6, 500, 1765}) {
        FailingDevice device(data, failAfter);
        QVERIFY(device.open(QIODevice::ReadOnly));
        PresetFile file;
        QVERIFY2(!file.read(device, 1760), qPrintable(QString::number(failAfter)));
    }
    FailingDevice whole(data, 1766);
    QVERIFY(whole.open(QIODevice::ReadOnly));
    PresetFile file;
    QVERIFY(file.read(whole, 1760));
    QCOMPARE(file.imageBytes(), data.mid(6));
}

void tst_PresetFile::applyRewritesFromDefaults()
{
    PresetImage image;
    image.setValue(PresetImage::PresetName, 0, 'Z');
    image.setValue(PresetImage::SerialConfig, 0, 7);
    image.buildImage();

    QByteArray data = header("00234abc0200") + QByteArray(1232, 0x41);
    QBuffer buffer(&data);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    PresetFile file;
    QVERIFY(file.read(buffer, image.imageSize()));
    file.applyTo(image);

    // A short file's tail keeps the defaults, not what the preset held before.
    const PresetImage defaults;
    QCOMPARE(image.image().mid(1232), defaults.image().mid(1232));
    QCOMPARE(image.imageByte(1232), 2);
    QCOMPARE(image.imageByte(1231), 0x41);
    // The model is back at the defaults until the caller parses the image.
    QCOMPARE(image.value(PresetImage::PresetName, 0), int('<'));
    QCOMPARE(image.value(PresetImage::SerialConfig, 0), 2);
    image.parseImage();
    QCOMPARE(image.value(PresetImage::ConfigBlock, 0), 0x41);
}

void tst_PresetFile::writing()
{
    // Any image, saved and read back, gives the same bytes; only the low
    // 8 bits of an element reach the file.
    PresetImage image;
    const QByteArray bytes = randomBytes(image.imageSize());
    for (int k = 0; k < bytes.size(); ++k)
        image.setImageByte(k, quint8(bytes[k]));
    image.setImageByte(100, 0x1FF);
    image.setImageByte(101, -1);
    QBuffer buffer;
    QVERIFY(buffer.open(QIODevice::ReadWrite));
    QVERIFY(PresetFile::write(buffer, image));
    QCOMPARE(buffer.data().size(), 1766);
    QCOMPARE(quint8(buffer.data()[106]), quint8(0xFF));
    QCOMPARE(quint8(buffer.data()[107]), quint8(0xFF));
    buffer.seek(0);
    PresetFile file;
    QVERIFY(file.read(buffer, image.imageSize()));
    QCOMPARE(file.verdict(), PresetFile::Verdict::Load);
    PresetImage reopened;
    reopened.setImageByte(5, 77);
    file.applyTo(reopened);
    image.setImageByte(100, 0xFF);
    image.setImageByte(101, 0xFF);
    QCOMPARE(reopened.image(), image.image());

    // A device that takes fewer bytes fails the write.
    for (qint64 limit : {0, 3, 6, 1000, 1765}) {
        FailingDevice device({}, limit);
        QVERIFY(device.open(QIODevice::WriteOnly));
        QVERIFY2(!PresetFile::write(device, image), qPrintable(QString::number(limit)));
    }
}

QTEST_GUILESS_MAIN(tst_PresetFile)
#include "tst_presetfile.moc"
