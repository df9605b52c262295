#include "hexEdit.h"
#include "sysexEdit.h"

#include "TopLevels.h"
#include "Typing.h"

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

// The two byte-entry fields, driven by typing and by moving the focus away.
class tst_hexedit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void sysexOnFocusLoss_data();
    void sysexOnFocusLoss();
    void serialOnFocusLoss_data();
    void serialOnFocusLoss();
    void typingFilter_data();
    void typingFilter();
    void modeSwitching();
    void storedBytesShown();
};

namespace {

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

// A window holding the field and a button to move the focus to, so that
// focus loss happens the way it does for a user.
struct FocusHost
{
    QWidget window;
    QPushButton *other = new QPushButton("other", &window);

    explicit FocusHost(QLineEdit *field)
    {
        auto *layout = new QVBoxLayout(&window);
        field->setParent(&window);
        layout->addWidget(field);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    void type(QLineEdit *field, const QString &text)
    {
        field->setFocus(Qt::TabFocusReason);
        QVERIFY(field->hasFocus());
        typeText(field, text);
    }

    void leave(QLineEdit *field)
    {
        other->setFocus(Qt::TabFocusReason);
        QVERIFY(!field->hasFocus());
    }
};

QString hexList(int count, int first)
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts << QStringLiteral("%1").arg(first + i, 2, 16, QLatin1Char('0'));
    return parts.join(' ');
}

QByteArray byteRun(int count, int first)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(static_cast<char>(first + i));
    return bytes;
}

} // namespace

void tst_hexedit::initTestCase()
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void tst_hexedit::cleanup()
{
    const QStringList open = visibleTopLevels();
    QVERIFY2(open.isEmpty(), qPrintable(open.join(", ") + " left open"));
}

void tst_hexedit::sysexOnFocusLoss_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("lower case, framed") << "f0437e7f0601f7"
                                        << "F0 43 7E 7F 06 01 F7" << hex("f0437e7f0601f7");
    QTest::newRow("frame added") << "7E 7F 06 01"
                                 << "F0 7E 7F 06 01 F7" << hex("f07e7f0601f7");
    QTest::newRow("F0 alone") << "F0"
                              << "F0 F7" << hex("f0f7");
    QTest::newRow("F7 alone") << "F7"
                              << "F0 F7" << hex("f0f7");
    QTest::newRow("odd digit count") << "ABC"
                                     << "F0 AB 0C F7" << hex("f0ab0cf7");
    QTest::newRow("blanks ignored") << "F 0 4 3"
                                    << "F0 43 F7" << hex("f043f7");
    QTest::newRow("empty") << ""
                           << "" << QByteArray();
    QTest::newRow("40 bytes") << hexList(40, 1) << "F0 " + hexList(28, 1).toUpper() + " F7"
                              << hex("f0") + byteRun(28, 1) + hex("f7");
}

void tst_hexedit::sysexOnFocusLoss()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QByteArray, bytes);

    auto *field = new sysexEdit;
    FocusHost host(field);
    host.type(field, typed);
    QCOMPARE(field->text(), typed);
    host.leave(field);
    QCOMPARE(field->text(), shown);
    QCOMPARE(field->bytes(), bytes);
}

void tst_hexedit::serialOnFocusLoss_data()
{
    QTest::addColumn<bool>("hexMode");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("hex: 30 bytes keep 28")
        << true << hexList(30, 0x10) << hexList(28, 0x10).toUpper() << byteRun(28, 0x10);
    QTest::newRow("hex: lower case shown upper") << true << "0d0a ff"
                                                 << "0D 0A FF" << hex("0d0aff");
    QTest::newRow("hex: no frame") << true << "41"
                                   << "41" << hex("41");
    QTest::newRow("ascii: text kept as typed") << false << "Hello"
                                               << "Hello" << hex("48656c6c6f");
    QTest::newRow("ascii: Latin-1 byte")
        << false << QString::fromUtf8("Gr\u00fc\u00dfe") << QString::fromUtf8("Gr\u00fc\u00dfe")
        << hex("4772fcdf65");
    QTest::newRow("ascii: no length limit in the field")
        << false << QString(40, 'x') << QString(40, 'x') << QByteArray(40, 'x');
}

void tst_hexedit::serialOnFocusLoss()
{
    QFETCH(bool, hexMode);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QByteArray, bytes);

    auto *field = new hexEdit;
    field->setHexMode(hexMode);
    FocusHost host(field);
    host.type(field, typed);
    host.leave(field);
    QCOMPARE(field->text(), shown);
    QCOMPARE(field->bytes(), bytes);
}

void tst_hexedit::typingFilter_data()
{
    QTest::addColumn<int>("field"); // 0 sysexEdit, 1 hexEdit hex, 2 hexEdit ASCII
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");

    QTest::newRow("sysex refuses letters past F") << 0 << "12xyZ 3g"
                                                  << "12 3";
    QTest::newRow("sysex takes both cases") << 0 << "aBcDeF09"
                                            << "aBcDeF09";
    QTest::newRow("hex mode refuses punctuation") << 1 << "0d,0a;ff!"
                                                  << "0d0aff";
    QTest::newRow("ascii takes anything typed") << 2 << "12xyZ 3g!"
                                                << "12xyZ 3g!";
    QTest::newRow("ascii takes Latin-1")
        << 2 << QString::fromUtf8("caf\u00e9") << QString::fromUtf8("caf\u00e9");
    // A character that has no Latin-1 byte could only be stored as '?'.
    QTest::newRow("ascii refuses what Latin-1 lacks") << 2 << QString::fromUtf8("5\u20ac") << "5";
}

void tst_hexedit::typingFilter()
{
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, kept);

    QLineEdit *edit = nullptr;
    if (field == 0) {
        edit = new sysexEdit;
    } else {
        auto *serial = new hexEdit;
        serial->setHexMode(field == 1);
        edit = serial;
    }
    FocusHost host(edit);
    host.type(edit, typed);
    QCOMPARE(edit->text(), kept);
}

void tst_hexedit::modeSwitching()
{
    // A fresh field reads text, until the editor switches hex mode on.
    auto *field = new hexEdit;
    QVERIFY(!field->hexMode());
    FocusHost host(field);
    host.type(field, "zz");
    QCOMPARE(field->text(), QString("zz"));
    field->clear();

    // Switching re-reads the text under the new mode; it does not translate.
    field->setHexMode(true);
    host.type(field, "41 42");
    field->setHexMode(false);
    QCOMPARE(field->text(), QString("41 42"));
    QCOMPARE(field->bytes(), QByteArray("41 42"));

    field->clear();
    host.type(field, "ABC");
    // Not read until focus loss or a mode switch.
    QCOMPARE(field->bytes(), QByteArray("41 42"));
    field->setHexMode(true);
    QVERIFY(field->hexMode());
    QCOMPARE(field->text(), QString("AB 0C"));
    QCOMPARE(field->bytes(), hex("ab0c"));

    // Back in hex mode the filter holds again.
    host.type(field, "q");
    QCOMPARE(field->text(), QString("AB 0C"));
}

void tst_hexedit::storedBytesShown()
{
    hexEdit serial;
    serial.setHexMode(true);
    serial.setBytes(hex("0d0a41"));
    QCOMPARE(serial.text(), QString("0D 0A 41"));
    QCOMPARE(serial.bytes(), hex("0d0a41"));
    QVERIFY(!serial.isModified());

    serial.setHexMode(false);
    serial.setBytes(hex("48e9004142"));
    QCOMPARE(serial.text(), QString::fromUtf8("H\u00e9"));
    // The value keeps every stored byte, so storing again changes nothing.
    QCOMPARE(serial.bytes(), hex("48e9004142"));

    sysexEdit sysex;
    sysex.setBytes(hex("437e")); // loaded data need not be framed
    QCOMPARE(sysex.text(), QString("43 7E"));
    QCOMPARE(sysex.bytes(), hex("437e"));
    sysex.reread();
    QCOMPARE(sysex.text(), QString("F0 43 7E F7"));
}

QTEST_MAIN(tst_hexedit)
#include "tst_hexedit.moc"
