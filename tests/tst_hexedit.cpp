#include "hexEdit.h"
#include "sysexEdit.h"

#include "TopLevels.h"
#include "Typing.h"

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

// The two byte-entry fields, driven by typing and by moving the focus away;
// their byte rules (HexText) are exercised through them.
class tst_hexedit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup() { QCOMPARE(visibleTopLevels(), QStringList()); }
    void typedThenLeft_data();
    void typedThenLeft();
    void modeSwitching();
    void storedBytesShown();
};

namespace {

enum Field { Sysex, SerialHex, SerialText };

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

void tst_hexedit::typedThenLeft_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");  // what the typing filter let through
    QTest::addColumn<QString>("shown"); // after the focus left
    QTest::addColumn<QByteArray>("bytes");

    // `kept` left null: the filter lets everything typed through.
    auto row = [](const char *name, Field field, const QString &typed, const QString &kept,
                  const QString &shown, const QByteArray &bytes) {
        QTest::newRow(name) << int(field) << typed << (kept.isNull() ? typed : kept) << shown
                            << bytes;
    };
    row("sysex: framed, lower case", Sysex, "f0437e7f0601f7", {}, "F0 43 7E 7F 06 01 F7",
        hex("f0437e7f0601f7"));
    row("sysex: frame added", Sysex, "7E 7F 06 01", {}, "F0 7E 7F 06 01 F7", hex("f07e7f0601f7"));
    row("sysex: F0 alone", Sysex, "F0", {}, "F0 F7", hex("f0f7"));
    row("sysex: F7 alone", Sysex, "F7", {}, "F0 F7", hex("f0f7"));
    row("sysex: odd digit count", Sysex, "ABC", {}, "F0 AB 0C F7", hex("f0ab0cf7"));
    row("sysex: blanks ignored", Sysex, "F 0 4 3", {}, "F0 43 F7", hex("f043f7"));
    row("sysex: empty", Sysex, "", {}, "", QByteArray());
    row("sysex: 40 bytes", Sysex, hexList(40, 1), {}, "F0 " + hexList(28, 1).toUpper() + " F7",
        hex("f0") + byteRun(28, 1) + hex("f7"));
    row("sysex: letters past F refused", Sysex, "12xyZ 3g", "12 3", "F0 12 03 F7", hex("f01203f7"));
    QString framed = "F0 ";
    for (int i = 0; i < 35; ++i)
        framed += "11 ";
    row("sysex: a long framed message still ends in F7", Sysex, framed + "F7", {},
        "F0 " + QString("11 ").repeated(28).trimmed() + " F7",
        hex("f0") + QByteArray(28, 0x11) + hex("f7"));
    row("serial hex: pairs run from the left", SerialHex, "1 23 45", {}, "12 34 05", hex("123405"));
    row("serial hex: a zero byte is kept", SerialHex, "00 41", {}, "00 41", hex("0041"));
    row("serial hex: blanks only", SerialHex, "   ", {}, "", QByteArray());
    row("serial hex: 30 bytes keep 28", SerialHex, hexList(30, 1), {}, hexList(28, 1).toUpper(),
        byteRun(28, 1));
    row("serial hex: punctuation refused, no frame", SerialHex, "0d,0a;ff!", "0d0aff", "0D 0A FF",
        hex("0d0aff"));
    row("serial text: kept as typed", SerialText, "12xyZ 3g!", {}, "12xyZ 3g!", "12xyZ 3g!");
    const QString latin1 = QString::fromUtf8("Gr\u00fc\u00dfe");
    row("serial text: Latin-1 bytes", SerialText, latin1, {}, latin1, hex("4772fcdf65"));
    row("serial text: no length limit in the field", SerialText, QString(40, 'x'), {},
        QString(40, 'x'), QByteArray(40, 'x'));
    // A character that has no Latin-1 byte could only be stored as '?'.
    row("serial text: what Latin-1 lacks refused", SerialText, QString::fromUtf8("5\u20ac"), "5",
        "5", "5");
}

void tst_hexedit::typedThenLeft()
{
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(QString, shown);
    QFETCH(QByteArray, bytes);

    ByteLineEdit *edit = nullptr;
    if (field == Sysex) {
        edit = new sysexEdit;
    } else {
        auto *serial = new hexEdit;
        serial->setHexMode(field == SerialHex);
        edit = serial;
    }
    FocusHost host(edit);
    host.type(edit, typed);
    QCOMPARE(edit->text(), kept);
    host.leave(edit);
    QCOMPARE(edit->text(), shown);
    QCOMPARE(edit->bytes(), bytes);
}

void tst_hexedit::modeSwitching()
{
    // A fresh field reads text, until the editor switches hex mode on.
    auto *field = new hexEdit;
    QVERIFY(!field->hexMode());
    FocusHost host(field);

    // Switching re-reads the text under the new mode; it does not translate.
    field->setHexMode(true);
    host.type(field, "41 42");
    field->setHexMode(false);
    QCOMPARE(field->text(), QString("41 42"));
    QCOMPARE(field->bytes(), QByteArray("41 42"));

    field->clear();
    host.type(field, "AXBC");
    // Not read until focus loss or a mode switch; then pairs are cut before
    // what is not a hex digit is skipped.
    QCOMPARE(field->bytes(), QByteArray("41 42"));
    field->setHexMode(true);
    QCOMPARE(field->text(), QString("0A BC"));
    QCOMPARE(field->bytes(), hex("0abc"));

    // Back in hex mode the filter holds again.
    host.type(field, "q");
    QCOMPARE(field->text(), QString("0A BC"));
}

void tst_hexedit::storedBytesShown()
{
    hexEdit serial;
    serial.setHexMode(true);
    serial.setBytes(hex("0d0a41"));
    QCOMPARE(serial.text(), QString("0D 0A 41"));
    QVERIFY(!serial.isModified());

    // Text shown up to a zero byte; the value keeps every stored byte, so
    // storing again changes nothing.
    serial.setHexMode(false);
    serial.setBytes(hex("48e9004142"));
    QCOMPARE(serial.text(), QString::fromUtf8("H\u00e9"));
    QCOMPARE(serial.bytes(), hex("48e9004142"));

    sysexEdit sysex;
    sysex.setBytes(hex("437e")); // loaded data need not be framed
    QCOMPARE(sysex.text(), QString("43 7E"));
    QCOMPARE(sysex.bytes(), hex("437e"));
}

QTEST_MAIN(tst_hexedit)
#include "tst_hexedit.moc"
