#include "core/device/HidReport.h"

#include <algorithm>

namespace {

// Report byte n of an output buffer.
unsigned char &at(unsigned char *out, int n)
{
    return out[n + 1];
}

void setAddress(unsigned char *out, int address)
{
    at(out, 6) = static_cast<unsigned char>(address >> 8 & 0xFF);
    at(out, 7) = static_cast<unsigned char>(address & 0xFF);
}

} // namespace

void HidReport::setFirmwareRequest(unsigned char *out, int number)
{
    out[0] = 0;
    at(out, 0) = 0;
    at(out, 1) = ReadFirmwareString;
    at(out, 2) = static_cast<unsigned char>(number);
    for (int n = 3; n < HeaderSize; ++n)
        at(out, n) = 0;
}

void HidReport::setReadRequest(unsigned char *out, int phase, int count, int address)
{
    out[0] = 0;
    at(out, 0) = 0;
    at(out, 1) = ReadBlock;
    at(out, 2) = static_cast<unsigned char>(phase);
    at(out, 3) = 0;
    at(out, 4) = static_cast<unsigned char>(count);
    at(out, 5) = 0;
    setAddress(out, address);
}

void HidReport::setWriteBlock(unsigned char *out, int phase, int total, int address,
                              const int *data, int count)
{
    count = std::clamp(count, 0, BlockSize);
    out[0] = 0;
    at(out, 0) = static_cast<unsigned char>(count);
    at(out, 1) = WriteBlock;
    at(out, 2) = static_cast<unsigned char>(phase);
    at(out, 3) = 1;
    at(out, 4) = static_cast<unsigned char>(total >> 8 & 0xFF);
    at(out, 5) = static_cast<unsigned char>(total & 0xFF);
    setAddress(out, address);
    for (int i = 0; i < BlockSize; ++i)
        at(out, HeaderSize + i) = i < count ? static_cast<unsigned char>(data[i] & 0xFF) : 0;
}

void HidReport::setDateTime(unsigned char *out, const QDate &date, const QTime &time)
{
    out[0] = 0;
    at(out, 0) = 7;
    at(out, 1) = SetDateTime;
    at(out, 2) = 0x64;
    for (int n = 3; n <= 6; ++n)
        at(out, n) = 0;
    const int values[] = {date.day(),       date.month(), date.toString("yy").toInt(),
                          date.dayOfWeek(), time.hour(),  time.minute(),
                          time.second()};
    for (int i = 0; i < 7; ++i)
        at(out, HeaderSize + i) = static_cast<unsigned char>(values[i]);
}

QString HidReport::firmwareText(const unsigned char *in)
{
    const int length = std::min(dataCount(in), MaxData);
    QString text;
    for (int i = 0; i < length && in[HeaderSize + i] != 0; ++i)
        text += QChar::fromLatin1(static_cast<char>(in[HeaderSize + i]));
    return text;
}
