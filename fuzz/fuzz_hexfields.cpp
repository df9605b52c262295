// Arbitrary typing, pasting, editing, focus changes, mode switches and stored
// bytes in the two byte-entry fields, and the text rules behind them called
// directly. After every re-read the fields must hold their normalisation: a
// SysEx message of at most 30 bytes framed by F0 ... F7 (or nothing at all),
// serial hex of at most 28 bytes, canonical text that reads back to the same
// bytes, and in text mode the text as typed with its Latin-1 bytes.
//
// Input: a sequence of operations, each an operation byte and its operands
// (see run()).

#include "FuzzSupport.h"
#include "HexText.h"
#include "hexEdit.h"
#include "sysexEdit.h"

#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpression>

#include <iterator>
#include <memory>

namespace {

constexpr int SysexLimit = 30;
constexpr int SerialLimit = 28;
constexpr unsigned char Start = 0xF0;
constexpr unsigned char End = 0xF7;

QString show(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

bool isCanonical(const QString &text)
{
    static const QRegularExpression form("\\A([0-9A-F]{2}( [0-9A-F]{2})*)?\\z");
    return form.match(text).hasMatch();
}

bool isHexDigit(QChar c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Texts of hex digits and white space are decoded here independently:
// digit pairs from the left, a lone last digit standing for 0x0d.
bool isPlainHex(const QString &text)
{
    for (const QChar c : text) {
        if (!isHexDigit(c) && !c.isSpace())
            return false;
    }
    return true;
}

QByteArray plainHexBytes(const QString &text)
{
    QVector<int> digits;
    for (const QChar c : text) {
        if (isHexDigit(c))
            digits << QString(c).toInt(nullptr, 16);
    }
    QByteArray bytes;
    for (int i = 0; i < digits.size(); i += 2) {
        const int value = i + 1 < digits.size() ? digits[i] * 16 + digits[i + 1] : digits[i];
        bytes.append(static_cast<char>(value));
    }
    return bytes;
}

QByteArray framedSysex(QByteArray bytes)
{
    if (bytes.isEmpty())
        return bytes;
    if (static_cast<unsigned char>(bytes.front()) != Start)
        bytes.prepend(static_cast<char>(Start));
    if (static_cast<unsigned char>(bytes.back()) != End)
        bytes.append(static_cast<char>(End));
    if (bytes.size() > SysexLimit) {
        bytes.truncate(SysexLimit);
        bytes[SysexLimit - 1] = static_cast<char>(End);
    }
    return bytes;
}

bool isLatin1Text(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

// What a hex-form field shows: canonical text that decodes to its bytes.
void checkHexForm(const ByteLineEdit &field, int limit, const QString &before)
{
    const QByteArray bytes = field.bytes();
    const QString text = field.text();
    const QString context =
        QStringLiteral("typed \"%1\", bytes %2, shown \"%3\"").arg(before, show(bytes), text);
    FUZZ_CHECK(bytes.size() <= limit, context);
    FUZZ_CHECK(isCanonical(text), context);
    FUZZ_CHECK(QByteArray::fromHex(text.toLatin1()) == bytes, context);
    FUZZ_CHECK(!field.isModified(), context);
}

void checkSysex(sysexEdit &field, const QString &before)
{
    checkHexForm(field, SysexLimit, before);
    const QByteArray bytes = field.bytes();
    const QString context = QStringLiteral("typed \"%1\", bytes %2").arg(before, show(bytes));
    if (!bytes.isEmpty()) {
        FUZZ_CHECK(static_cast<unsigned char>(bytes.front()) == Start, context);
        FUZZ_CHECK(static_cast<unsigned char>(bytes.back()) == End, context);
    }
    if (isPlainHex(before))
        FUZZ_CHECK(bytes == framedSysex(plainHexBytes(before)), context);
    if (before.trimmed().isEmpty())
        FUZZ_CHECK(bytes.isEmpty() && field.text().isEmpty(), context);
}

void checkSerial(hexEdit &field, const QString &before)
{
    const QByteArray bytes = field.bytes();
    const QString context = QStringLiteral("typed \"%1\", bytes %2, shown \"%3\"")
                                .arg(before, show(bytes), field.text());
    if (field.hexMode()) {
        checkHexForm(field, SerialLimit, before);
        if (isPlainHex(before))
            FUZZ_CHECK(bytes == plainHexBytes(before).left(SerialLimit), context);
    } else {
        FUZZ_CHECK(field.text() == before, context);
        FUZZ_CHECK(isLatin1Text(before), context);
        FUZZ_CHECK(bytes == before.toLatin1(), context);
    }
}

// A re-read of what the field shows after its own re-read changes nothing.
void checkIdempotent(ByteLineEdit &field)
{
    const QString text = field.text();
    const QByteArray bytes = field.bytes();
    field.reread();
    FUZZ_CHECK(field.text() == text && field.bytes() == bytes,
               QStringLiteral("\"%1\" became \"%2\"").arg(text, field.text()));
}

void checkReread(ByteLineEdit &field, const QString &before)
{
    if (auto *sysex = qobject_cast<sysexEdit *>(&field))
        checkSysex(*sysex, before);
    else
        checkSerial(*qobject_cast<hexEdit *>(&field), before);
    checkIdempotent(field);
}

// Stored bytes are shown as they are, cut to the field's limit in hex form.
void checkLoaded(ByteLineEdit &field, const QByteArray &stored)
{
    const QString context = QStringLiteral("stored %1").arg(show(stored));
    auto *serial = qobject_cast<hexEdit *>(&field);
    if (serial && !serial->hexMode()) {
        FUZZ_CHECK(field.bytes() == stored, context);
        const int end = stored.indexOf('\0');
        FUZZ_CHECK(field.text() == QString::fromLatin1(end < 0 ? stored : stored.left(end)),
                   context);
        return;
    }
    const int limit = serial ? SerialLimit : SysexLimit;
    checkHexForm(field, limit, QString());
    FUZZ_CHECK(field.bytes() == stored.left(limit), context);
}

// The text rules alone, on any string at all.
void checkHexText(const QString &text)
{
    const QString context = QStringLiteral("text \"%1\"").arg(text);
    const QByteArray pairs = HexText::pairBytes(text);
    const QString shown = HexText::format(pairs);
    FUZZ_CHECK(isCanonical(shown), context);
    FUZZ_CHECK(HexText::pairBytes(shown) == pairs, context);
    if (isPlainHex(text))
        FUZZ_CHECK(pairs == plainHexBytes(text), context);

    const QByteArray sysex = HexText::sysexBytes(text);
    FUZZ_CHECK(sysex == framedSysex(pairs), context);
    FUZZ_CHECK(HexText::sysexBytes(HexText::format(sysex)) == sysex, context);

    const QByteArray serial = HexText::serialHexBytes(text);
    FUZZ_CHECK(serial == pairs.left(SerialLimit), context);
    FUZZ_CHECK(HexText::serialHexBytes(HexText::format(serial)) == serial, context);

    FUZZ_CHECK(HexText::isLatin1(text) == isLatin1Text(text), context);
    if (isLatin1Text(text)) {
        const QByteArray latin1 = HexText::textBytes(text);
        FUZZ_CHECK(latin1.size() == text.size(), context);
        const int end = text.indexOf(QChar(0));
        FUZZ_CHECK(HexText::bytesText(latin1) == (end < 0 ? text : text.left(end)), context);
    }
}

void sendKey(QWidget *widget, int key, Qt::KeyboardModifiers modifiers, const QString &text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

void typeText(QWidget *widget, const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        // A character outside the basic plane travels as one key with both halves.
        const int length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        sendKey(widget, Qt::Key_unknown, Qt::NoModifier, text.mid(i, length));
        i += length - 1;
    }
}

struct EditKey
{
    int key;
    Qt::KeyboardModifiers modifiers;
};

const EditKey EditKeys[] = {
    {Qt::Key_Backspace, Qt::NoModifier}, {Qt::Key_Delete, Qt::NoModifier},
    {Qt::Key_Left, Qt::NoModifier},      {Qt::Key_Right, Qt::NoModifier},
    {Qt::Key_Home, Qt::NoModifier},      {Qt::Key_End, Qt::NoModifier},
    {Qt::Key_Left, Qt::ShiftModifier},   {Qt::Key_Home, Qt::ShiftModifier},
    {Qt::Key_End, Qt::ShiftModifier},    {Qt::Key_A, Qt::ControlModifier},
    {Qt::Key_Z, Qt::ControlModifier},    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
    {Qt::Key_X, Qt::ControlModifier},    {Qt::Key_C, Qt::ControlModifier},
    {Qt::Key_V, Qt::ControlModifier},    {Qt::Key_Backspace, Qt::ControlModifier},
};

const Qt::FocusReason FocusReasons[] = {Qt::TabFocusReason,   Qt::BacktabFocusReason,
                                        Qt::MouseFocusReason, Qt::ActiveWindowFocusReason,
                                        Qt::OtherFocusReason, Qt::PopupFocusReason};

QString textOperand(fuzz::Input &in)
{
    return QString::fromUtf8(in.bytes(size_t(in.byte() % 40)));
}

void run(fuzz::Input &in)
{
    // Fresh fields each time: no undo history or mode carries over.
    auto sysex = std::make_unique<sysexEdit>();
    auto serial = std::make_unique<hexEdit>();
    serial->setHexMode(true);
    ByteLineEdit *field = sysex.get();
    // An undo puts back an earlier text without asking the validator; until
    // the next re-read such a field may show what could not be typed.
    bool sysexUndone = false;
    bool serialUndone = false;
    auto undone = [&]() -> bool & { return field == sysex.get() ? sysexUndone : serialUndone; };

    while (!in.atEnd()) {
        switch (in.byte() % 9) {
        case 0: // type
            typeText(field, textOperand(in));
            break;
        case 1: { // an editing key
            const EditKey &k = EditKeys[size_t(in.byte()) % std::size(EditKeys)];
            sendKey(field, k.key, k.modifiers);
            if (k.key == Qt::Key_Z)
                undone() = true;
            break;
        }
        case 2: // paste
            QApplication::clipboard()->setText(textOperand(in));
            field->paste();
            break;
        case 3: { // the focus goes elsewhere
            const Qt::FocusReason reason =
                FocusReasons[size_t(in.byte()) % std::size(FocusReasons)];
            const QString before = field->text();
            const QByteArray bytesBefore = field->bytes();
            QFocusEvent out(QEvent::FocusOut, reason);
            QApplication::sendEvent(field, &out);
            if (reason == Qt::PopupFocusReason) {
                FUZZ_CHECK(field->text() == before && field->bytes() == bytesBefore, before);
            } else {
                checkReread(*field, before);
                undone() = false;
            }
            break;
        }
        case 4: { // the serial field changes mode
            const QString before = serial->text();
            serial->setHexMode(in.byte() & 1);
            checkReread(*serial, before);
            serialUndone = false;
            break;
        }
        case 5: { // a stored record is shown
            const QByteArray stored = in.bytes(size_t(in.byte() % 40));
            field->setBytes(stored);
            checkLoaded(*field, stored);
            undone() = false;
            break;
        }
        case 6: // the other field
            field = field == sysex.get() ? static_cast<ByteLineEdit *>(serial.get()) : sysex.get();
            break;
        case 7: { // the cursor or a selection moves
            const int start = in.byte() % (field->text().size() + 1);
            field->setSelection(start, in.byte() % (field->text().size() + 1) - start);
            break;
        }
        case 8: { // the rules alone, on text of any UTF-16 code units
            const QByteArray raw = in.bytes(size_t(in.byte() % 64));
            checkHexText(QString::fromLatin1(raw));
            checkHexText(QString::fromUtf8(raw));
            checkHexText(QString(reinterpret_cast<const QChar *>(raw.constData()), raw.size() / 2));
            break;
        }
        }
        // What the user typed or pasted was filtered as it came.
        if ((field == sysex.get() || serial->hexMode()) && !undone()) {
            for (const QChar c : field->text())
                FUZZ_CHECK(isHexDigit(c) || c == ' ', field->text());
        }
    }
    // Leaving the field settles it, whatever state the edits left.
    for (ByteLineEdit *f :
         {static_cast<ByteLineEdit *>(sysex.get()), static_cast<ByteLineEdit *>(serial.get())}) {
        const QString before = f->text();
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(f, &out);
        checkReread(*f, before);
    }
}

// The bytes of a literal, zero bytes included.
template <size_t N> QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, int(N - 1));
}

QByteArray seed(std::initializer_list<int> ops, const QByteArray &tail = {})
{
    QByteArray s;
    for (int op : ops)
        s.append(static_cast<char>(op));
    return s + tail;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::application();
    const QByteArray longHex = QByteArray("00 11 22 33 44 55 66 77 88 99 aa bb cc dd ee ff "
                                          "0 1 2 3 4 5 6 7 8 9 a b c d e f 12 34 56");
    fuzz::writeSeeds(
        "hexfields",
        {
            seed({0, 14}, "f0437e7f0601f7") + seed({3, 0}),
            seed({0, 11}, "7E 7F 06 01") + seed({3, 3}),
            seed({0, 3}, "ABC") + seed({3, 1, 0, 7}, "F 0 4 3") + seed({3, 0}),
            seed({0, 39}) + longHex.left(39) + seed({3, 0}),
            seed({6, 0, 30}, longHex.left(30)) + seed({3, 2, 4, 0}),
            seed({6, 4, 0, 0, 5}, "Hello") + seed({3, 0, 4, 1, 3, 0}),
            seed({6, 4, 0, 0, 5}, raw("\xc3\xa9t\xc3\xa9")) + seed({1, 0, 1, 10, 3, 4}),
            seed({5, 6}, raw("\x43\x10\x4c\x00\x00\x7e")) + seed({6, 4, 0, 5, 3}, raw("A\0B")),
            seed({0, 4}, "1234") + seed({7, 1, 3, 2, 2}, "zz") + seed({1, 11, 3, 0}),
            seed({8, 12}, "a1 B2\tc3 d\xff"),
        });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    fuzz::Input in(data, size);
    run(in);
    return 0;
}
