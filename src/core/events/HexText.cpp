#include "core/events/HexText.h"

#include "core/events/EventRecords.h"

QByteArray HexText::pairBytes(const QString &text)
{
    QString digits;
    digits.reserve(text.size() + 1);
    for (const QChar c : text) {
        if (!c.isSpace())
            digits.append(c.toUpper());
    }
    // The decoder pairs from the right; an odd count is padded here so the
    // pairs run from the left as typed.
    if (digits.size() % 2 != 0)
        digits.insert(digits.size() - 1, QLatin1Char('0'));
    return QByteArray::fromHex(digits.toLatin1());
}

QString HexText::format(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QByteArray HexText::sysexBytes(const QString &text)
{
    QByteArray bytes = pairBytes(text);
    if (bytes.isEmpty())
        return bytes;
    if (static_cast<unsigned char>(bytes.front()) != 0xF0)
        bytes.prepend(static_cast<char>(0xF0));
    if (static_cast<unsigned char>(bytes.back()) != 0xF7)
        bytes.append(static_cast<char>(0xF7));
    if (bytes.size() > EventRecords::SysexMaxMessage) {
        bytes.truncate(EventRecords::SysexMaxMessage);
        bytes[EventRecords::SysexMaxMessage - 1] = static_cast<char>(0xF7);
    }
    return bytes;
}

QByteArray HexText::serialHexBytes(const QString &text)
{
    return pairBytes(text).left(EventRecords::SerialMaxData);
}

bool HexText::isLatin1(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

QByteArray HexText::textBytes(const QString &text)
{
    return text.toLatin1();
}

QString HexText::bytesText(const QByteArray &bytes)
{
    const int end = bytes.indexOf('\0');
    return QString::fromLatin1(end < 0 ? bytes : bytes.left(end));
}
