#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// Byte layouts of the unit's 64-byte HID reports. An output report travels in
// a 65-byte buffer whose first byte is the report id (0), so report byte n sits
// at index n + 1 there; input reports come without the id. Each builder writes
// only the bytes its command defines: the unit expects the others to keep what
// the previous report left, so the buffer is meant to live as long as the link.
class HidReport
{
public:
    static constexpr int ReportSize = 64;
    static constexpr int OutputSize = ReportSize + 1;
    static constexpr int HeaderSize = 8;
    static constexpr int MaxData = ReportSize - HeaderSize;
    static constexpr int BlockSize = 24;
    // Every command leaves report bytes from here on at zero.
    static constexpr int UnusedFrom = HeaderSize + BlockSize;

    enum Command {
        SetDateTime = 0x0B,
        ReadBlock = 0x0C,
        WriteBlock = 0x0D,
        ReadFirmwareString = 0x0E,
    };
    enum Status {
        BlockAccepted = 0x80,
        Failure = 0xFF,
    };

    static void setFirmwareRequest(unsigned char *out, int number);
    static void setReadRequest(unsigned char *out, int phase, int count, int address);
    // `data` points at the first of `count` image bytes; each goes out as its
    // low eight bits and the data area after them is zero-filled.
    static void setWriteBlock(unsigned char *out, int phase, int total, int address,
                              const int *data, int count);
    static void setDateTime(unsigned char *out, const QDate &date, const QTime &time);

    static int dataCount(const unsigned char *in) { return in[0]; }
    static int command(const unsigned char *in) { return in[1]; }
    static int argument(const unsigned char *in) { return in[2]; }
    static int address(const unsigned char *in) { return in[6] << 8 | in[7]; }
    // The characters of a firmware string reply: at most its length byte, at
    // most the data area, ended early by a zero byte.
    static QString firmwareText(const unsigned char *in);
};
