#pragma once

#include <QByteArray>
#include <QString>

// The rules by which the hex entry fields turn what the user typed into bytes
// and back into their canonical text. No widget here, so the rules can be
// exercised (and fuzzed) on their own.
class HexText
{
public:
    // Blanks dropped, upper-cased, cut into pairs from the left (a lone last
    // digit becomes "0" + digit), decoded; anything not a hex digit is skipped.
    static QByteArray pairBytes(const QString &text);
    // Two upper-case digits per byte, one blank between bytes.
    static QString format(const QByteArray &bytes);

    // A SysEx message: framed by F0 ... F7 unless empty, at most 30 bytes with
    // the last one forced to F7.
    static QByteArray sysexBytes(const QString &text);
    // Serial data typed as hex: at most 28 bytes.
    static QByteArray serialHexBytes(const QString &text);

    // Serial data typed as text is held as Latin-1, one byte per character,
    // and shown back the same way, up to the first zero byte.
    static bool isLatin1(const QString &text);
    static QByteArray textBytes(const QString &text);
    static QString bytesText(const QByteArray &bytes);
};
