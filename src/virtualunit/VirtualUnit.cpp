#include "virtualunit/VirtualUnit.h"

#include "core/device/UsbIdentity.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <thread>
#include <unistd.h>

// A handle belongs to one plugging-in of the unit.
struct hid_device_
{
    VirtualUnit *unit;
    unsigned generation;
};

namespace {

constexpr int Header = 8;
constexpr int Block = 24;
constexpr int DataEnd = Header + Block;
constexpr int MaxText = VirtualUnit::ReportSize - Header;
constexpr int ShortImage = 1232;
constexpr int Accepted = 0x80;
constexpr int Failed = 0xFF;

enum Command { SetDateTime = 0x0B, ReadBlock = 0x0C, WriteBlock = 0x0D, FirmwareString = 0x0E };

std::string hex(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value & 0xFF);
    return text;
}

std::string envText(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool envNumber(const char *name, long &value)
{
    const std::string text = envText(name);
    if (text.empty())
        return false;
    char *end = nullptr;
    value = std::strtol(text.c_str(), &end, 0);
    return end && *end == '\0';
}

// What a unit fresh from the factory holds: a small valid preset.
std::vector<std::uint8_t> factoryEeprom()
{
    std::vector<std::uint8_t> bytes(VirtualUnit::EepromSize, 0);
    const std::uint8_t config[] = {0xEB, 2, 0, 0, 20, 100, 1, 0, 0, 1, 1, 2, 4, 8, 0, 0};
    std::copy(std::begin(config), std::end(config), bytes.begin());
    const std::string name = "Virtual RSX-4";
    const std::string description = "factory preset";
    std::copy(name.begin(), name.end(), bytes.begin() + 32);
    std::copy(description.begin(), description.end(), bytes.begin() + 48);
    std::fill(bytes.begin() + 64, bytes.begin() + 76, 10); // debounce and double press
    std::fill(bytes.begin() + 88, bytes.begin() + 92, 50); // relay pulses
    const std::uint8_t serial[] = {2, 0, 8, 1};
    std::copy(std::begin(serial), std::end(serial), bytes.begin() + ShortImage);
    return bytes;
}

} // namespace

VirtualUnit &VirtualUnit::instance()
{
    return unit(0);
}

VirtualUnit &VirtualUnit::unit(int index)
{
    static std::vector<std::unique_ptr<VirtualUnit>> units;
    while (int(units.size()) <= index)
        units.emplace_back(new VirtualUnit(int(units.size())));
    return *units[std::max(index, 0)];
}

namespace {
int &countSetting()
{
    static int count = [] {
        long number = 1;
        return envNumber("VIRTUAL_UNIT_COUNT", number) && number > 0 ? int(number) : 1;
    }();
    return count;
}
} // namespace

int VirtualUnit::unitCount()
{
    return countSetting();
}

void VirtualUnit::setUnitCount(int count)
{
    countSetting() = std::max(count, 1);
}

VirtualUnit &VirtualUnit::of(hid_device *device)
{
    return device ? *device->unit : instance();
}

std::wstring VirtualUnit::serialNumber() const
{
    return L"VRSX4-" + std::to_wstring(1000 + m_index);
}

VirtualUnit::VirtualUnit(int index) : m_index(index)
{
    reset();
    applyEnvironment();
}

void VirtualUnit::reset()
{
    m_plugged = true;
    m_path = "/dev/hidraw" + std::to_string(m_index);
    m_plugFile.clear();
    ++m_generation;
    m_nonblocking = false;
    m_version = "1.6";
    m_cpld = "190117";
    m_strings = {"", "RSX-4 Virtual Unit", "",      "MCU 3.2.1", "GPI 1.4", "USB 2.1", "USB 2.1",
                 "", "Serial Board",       "RS-232"};
    setFirmwareVersion(m_version);
    setCpldBuild(m_cpld);
    m_eeprom = factoryEeprom();
    m_eepromFile.clear();
    m_dateTimeStatus = 0;
    m_dateTime = DateTime();
    m_latency = 0;
    m_unplugAfter = 0;
    m_failWriteBlock = 0;
    m_answerFirmware = true;
    setRandomReports(0);
    setNoiseInterval(0);
    m_replyFilter = nullptr;
    m_replies.clear();
    m_havePrevious = false;
    m_nextReadAddress = -1;
    m_nextWriteAddress = -1;
    m_writeTotal = 0;
    m_writeBlock = 0;
    m_uploadFailed = false;
    clearLog();
}

void VirtualUnit::applyEnvironment()
{
    long number = 0;
    if (!envText("VIRTUAL_UNIT_FIRMWARE").empty())
        setFirmwareVersion(envText("VIRTUAL_UNIT_FIRMWARE"));
    if (!envText("VIRTUAL_UNIT_CPLD").empty())
        setCpldBuild(envText("VIRTUAL_UNIT_CPLD"));
    // Units after the first keep their EEPROM beside the first's: FILE.2, FILE.3 ...
    if (!envText("VIRTUAL_UNIT_EEPROM").empty())
        setEepromFile(envText("VIRTUAL_UNIT_EEPROM") +
                      (m_index > 0 ? "." + std::to_string(m_index + 1) : std::string()));
    if (envNumber("VIRTUAL_UNIT_LATENCY", number))
        setReplyLatency(static_cast<int>(number));
    if (envNumber("VIRTUAL_UNIT_UNPLUG_AFTER", number))
        setUnplugAfterReports(static_cast<int>(number));
    if (envNumber("VIRTUAL_UNIT_FAIL_WRITE_BLOCK", number))
        setFailWriteBlock(static_cast<int>(number));
    if (envNumber("VIRTUAL_UNIT_SILENT_FIRMWARE", number))
        setAnswerFirmwareRequests(number == 0);
    if (envNumber("VIRTUAL_UNIT_RANDOM_REPORTS", number))
        setRandomReports(static_cast<int>(number));
    if (envNumber("VIRTUAL_UNIT_NOISE_INTERVAL", number))
        setNoiseInterval(static_cast<int>(number));
    if (envNumber("VIRTUAL_UNIT_DATETIME_STATUS", number))
        setDateTimeStatus(static_cast<int>(number));
    if (envNumber("VIRTUAL_UNIT_PLUGGED", number))
        setPlugged(number != 0);
    if (!envText("VIRTUAL_UNIT_PLUG_FILE").empty())
        setPlugFile(envText("VIRTUAL_UNIT_PLUG_FILE"));
    if (!envText("VIRTUAL_UNIT_PATH").empty() && m_index == 0)
        setPath(envText("VIRTUAL_UNIT_PATH"));
}

void VirtualUnit::setPlugged(bool plugged)
{
    if (plugged == m_plugged)
        return;
    if (plugged)
        m_plugged = true;
    else
        unplug();
}

bool VirtualUnit::isPlugged() const
{
    return m_plugged;
}

void VirtualUnit::unplug()
{
    m_plugged = false;
    ++m_generation;
    m_replies.clear();
}

void VirtualUnit::setFirmwareVersion(const std::string &version)
{
    m_version = version;
    m_strings[0] = "RSX-4 v" + version + " (virtual)";
    m_strings[2] = "Firmware " + version;
}

void VirtualUnit::setCpldBuild(const std::string &build)
{
    m_cpld = build;
    m_strings[7] = build + " CPLD";
}

void VirtualUnit::setFirmwareString(int number, const std::string &text)
{
    if (number >= 1 && number <= StringCount)
        m_strings[number - 1] = text;
}

std::string VirtualUnit::firmwareString(int number) const
{
    return number >= 1 && number <= StringCount ? m_strings[number - 1] : std::string();
}

void VirtualUnit::setEeprom(const std::vector<std::uint8_t> &bytes)
{
    m_eeprom.assign(EepromSize, 0);
    std::copy_n(bytes.begin(), std::min<size_t>(bytes.size(), EepromSize), m_eeprom.begin());
}

bool VirtualUnit::setEepromFile(const std::string &path)
{
    m_eepromFile = path;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::vector<std::uint8_t> bytes(EepromSize, 0);
    file.read(reinterpret_cast<char *>(bytes.data()), EepromSize);
    m_eeprom = bytes;
    return true;
}

void VirtualUnit::saveEeprom()
{
    if (m_eepromFile.empty())
        return;
    std::ofstream file(m_eepromFile, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char *>(m_eeprom.data()), EepromSize);
    if (!file)
        violation("cannot write the EEPROM file " + m_eepromFile);
}

void VirtualUnit::setRandomReports(int every, unsigned seed)
{
    m_randomEvery = every < 0 ? 0 : every;
    m_repliesSinceRandom = 0;
    m_random.seed(seed);
}

void VirtualUnit::setNoiseInterval(int milliseconds)
{
    m_noiseInterval = std::max(milliseconds, 0);
    m_nextNoise = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_noiseInterval);
}

VirtualUnit::Report VirtualUnit::noise()
{
    Report report;
    for (auto &byte : report)
        byte = static_cast<std::uint8_t>(m_random() & 0xFF);
    while (report[1] >= SetDateTime && report[1] <= FirmwareString)
        report[1] = static_cast<std::uint8_t>(m_random() & 0xFF);
    return report;
}

void VirtualUnit::chatter(int milliseconds)
{
    using Clock = std::chrono::steady_clock;
    if (m_noiseInterval == 0 || !m_replies.empty())
        return;
    const Clock::time_point now = Clock::now();
    const Clock::time_point until =
        milliseconds < 0 ? m_nextNoise
                         : std::min(m_nextNoise, now + std::chrono::milliseconds(milliseconds));
    if (until > now)
        std::this_thread::sleep_for(until - now);
    if (Clock::now() < m_nextNoise)
        return;
    m_replies.push_back({noise(), m_reads});
    m_nextNoise = Clock::now() + std::chrono::milliseconds(m_noiseInterval);
}

void VirtualUnit::queueReport(const Report &report)
{
    m_replies.push_back({report, m_reads + m_latency + 1});
}

void VirtualUnit::clearLog()
{
    m_received.clear();
    m_violations.clear();
    m_completedUploads = 0;
}

void VirtualUnit::violation(const std::string &text)
{
    const std::string line = "report " + std::to_string(m_received.size()) + ": " + text;
    m_violations.push_back(line);
    std::fprintf(stderr, "virtual unit: %s\n", line.c_str());
}

bool VirtualUnit::usable(hid_device *device)
{
    if (!m_plugFile.empty())
        setPlugged(access(m_plugFile.c_str(), F_OK) == 0);
    return device && m_plugged && device->generation == m_generation;
}

hid_device *VirtualUnit::open(unsigned short vendorId, unsigned short productId,
                              const wchar_t *serial)
{
    if (!m_plugFile.empty())
        setPlugged(access(m_plugFile.c_str(), F_OK) == 0);
    if (!m_plugged || vendorId != UsbIdentity::VendorId || productId != UsbIdentity::ProductId ||
        (serial && serialNumber() != serial))
        return nullptr;
    return connect();
}

hid_device *VirtualUnit::openPath(const char *path)
{
    if (!m_plugFile.empty())
        setPlugged(access(m_plugFile.c_str(), F_OK) == 0);
    if (!m_plugged || !path || m_path.empty() || m_path != path)
        return nullptr;
    return connect();
}

hid_device *VirtualUnit::connect()
{
    // A new connection: nothing of the last one carries over.
    m_replies.clear();
    m_nonblocking = false;
    m_havePrevious = false;
    m_nextReadAddress = -1;
    m_nextWriteAddress = -1;
    ++m_openHandles;
    ++m_openCount;
    return new hid_device_{this, m_generation};
}

void VirtualUnit::close(hid_device *device)
{
    if (!device)
        return;
    delete device;
    --m_openHandles;
}

int VirtualUnit::setNonblocking(hid_device *device, int nonblock)
{
    if (!usable(device))
        return -1;
    m_nonblocking = nonblock != 0;
    return 0;
}

int VirtualUnit::read(hid_device *device, unsigned char *data, size_t length)
{
    if (!usable(device))
        return -1;
    ++m_reads;
    if (!m_nonblocking)
        violation("read before non-blocking mode was set");
    if (length != ReportSize)
        violation("read of " + std::to_string(length) + " bytes instead of 64");
    chatter(0);
    return take(data, length);
}

int VirtualUnit::readTimeout(hid_device *device, unsigned char *data, size_t length,
                             int milliseconds)
{
    if (!usable(device))
        return -1;
    if (length != ReportSize)
        violation("read of " + std::to_string(length) + " bytes instead of 64");
    ++m_reads;
    if (milliseconds != 0 && !m_replies.empty() && m_replies.front().readyAtRead > m_reads)
        m_reads = m_replies.front().readyAtRead;
    chatter(milliseconds);
    return take(data, length);
}

int VirtualUnit::take(unsigned char *data, size_t length)
{
    if (m_replies.empty() || m_replies.front().readyAtRead > m_reads)
        return 0;
    const int count = static_cast<int>(std::min<size_t>(length, ReportSize));
    std::copy_n(m_replies.front().report.begin(), count, data);
    m_replies.pop_front();
    return count;
}

int VirtualUnit::write(hid_device *device, const unsigned char *data, size_t length)
{
    if (!usable(device))
        return -1;
    OutputReport output{};
    std::copy_n(data, std::min(length, output.size()), output.begin());
    m_received.push_back(output);
    if (length != output.size())
        violation("write of " + std::to_string(length) + " bytes instead of 65");
    if (output[0] != 0)
        violation("report id " + hex(output[0]) + " instead of 0x00");

    Report report;
    std::copy(output.begin() + 1, output.end(), report.begin());
    check(report);
    answer(report);
    m_previous = report;
    m_havePrevious = true;

    if (m_unplugAfter > 0 && --m_unplugAfter == 0)
        unplug();
    return static_cast<int>(length);
}

void VirtualUnit::checkUnchanged(const Report &report, int from, int to)
{
    if (!m_havePrevious)
        return;
    for (int n = from; n <= to; ++n) {
        if (report[n] != m_previous[n])
            violation("byte " + std::to_string(n) + " changed from " + hex(m_previous[n]) + " to " +
                      hex(report[n]) + " though the command does not define it");
    }
}

void VirtualUnit::expect(const Report &r, int n, int value)
{
    if (r[n] != value)
        violation(hex(r[1]) + " byte " + std::to_string(n) + " is " + hex(r[n]) + ", not " +
                  hex(value));
}

void VirtualUnit::expectRange(const Report &r, int n, int low, int high, const char *what)
{
    if (r[n] < low || r[n] > high)
        violation(hex(r[1]) + " " + what + " (byte " + std::to_string(n) + ") is " +
                  std::to_string(r[n]) + ", outside " + std::to_string(low) + " to " +
                  std::to_string(high));
}

void VirtualUnit::check(const Report &r)
{
    for (int n = DataEnd; n < ReportSize; ++n) {
        if (r[n] != 0) {
            violation("byte " + std::to_string(n) + " is " + hex(r[n]) + ", not 0x00");
            break;
        }
    }
    switch (r[1]) {
    case FirmwareString:
        checkFirmwareRequest(r);
        break;
    case ReadBlock:
        checkReadRequest(r);
        break;
    case WriteBlock:
        checkWriteBlock(r);
        break;
    case SetDateTime:
        checkDateTime(r);
        break;
    default:
        violation("unknown command " + hex(r[1]));
        break;
    }
}

void VirtualUnit::checkFirmwareRequest(const Report &r)
{
    expect(r, 0, 0);
    expectRange(r, 2, 1, StringCount, "string number");
    for (int n = 3; n < Header; ++n)
        expect(r, n, 0);
    checkUnchanged(r, Header, DataEnd - 1);
}

void VirtualUnit::checkReadRequest(const Report &r)
{
    const int address = r[6] << 8 | r[7];
    expect(r, 0, 0);
    expectRange(r, 2, 0x80, 0x82, "phase");
    expect(r, 3, 0);
    expectRange(r, 4, 1, Block, "count");
    expect(r, 5, 0);
    checkUnchanged(r, Header, DataEnd - 1);
    const int count = r[4];
    if (address + count > EepromSize)
        violation("read of " + std::to_string(count) + " bytes at " + std::to_string(address) +
                  " reaches past the EEPROM");
    if (r[2] == 0x80 && (address != 0 || count != Block))
        violation("first read request is not 24 bytes at 0");
    if (r[2] != 0x80 && address != m_nextReadAddress)
        violation("read request at " + std::to_string(address) + ", expected " +
                  std::to_string(m_nextReadAddress));
    if (r[2] == 0x81 && count != Block)
        violation("middle read request of " + std::to_string(count) + " bytes");
    m_nextReadAddress = r[2] == 0x82 ? -1 : address + count;
}

void VirtualUnit::checkWriteBlock(const Report &r)
{
    const int address = r[6] << 8 | r[7];
    const int count = r[0];
    const int total = r[4] << 8 | r[5];
    expectRange(r, 0, 1, Block, "count");
    expectRange(r, 2, 1, 3, "phase");
    expect(r, 3, 1);
    if (total != ShortImage && total != EepromSize)
        violation("write total " + std::to_string(total) + " is neither 1232 nor 1760");
    if (address + count > total)
        violation("write block at " + std::to_string(address) + " reaches past the total");
    for (int n = Header + std::min(count, Block); n < DataEnd; ++n) {
        if (r[n] != 0) {
            violation("byte " + std::to_string(n) + " after the block's data is " + hex(r[n]));
            break;
        }
    }
    if (r[2] == 1) {
        if (address != 0 || count != Block)
            violation("first write block is not 24 bytes at 0");
        m_writeTotal = total;
    } else {
        if (address != m_nextWriteAddress)
            violation("write block at " + std::to_string(address) + ", expected " +
                      std::to_string(m_nextWriteAddress));
        if (total != m_writeTotal)
            violation("write total changed from " + std::to_string(m_writeTotal) + " to " +
                      std::to_string(total));
    }
    if (r[2] == 2 && (count != Block || address + Block >= total))
        violation("middle write block of " + std::to_string(count) + " bytes at " +
                  std::to_string(address));
    if (r[2] == 3 && address + count != total)
        violation("last write block ends at " + std::to_string(address + count) +
                  ", not at the total");
    m_nextWriteAddress = r[2] == 3 ? -1 : address + count;
}

void VirtualUnit::checkDateTime(const Report &r)
{
    expect(r, 0, 7);
    expect(r, 2, 0x64);
    for (int n = 3; n <= 6; ++n)
        expect(r, n, 0);
    checkUnchanged(r, 7, 7);
    expectRange(r, 8, 1, 31, "day");
    expectRange(r, 9, 1, 12, "month");
    expectRange(r, 10, 0, 99, "year");
    expectRange(r, 11, 1, 7, "day of week");
    expectRange(r, 12, 0, 23, "hour");
    expectRange(r, 13, 0, 59, "minute");
    expectRange(r, 14, 0, 59, "second");
    checkUnchanged(r, 15, DataEnd - 1);
}

void VirtualUnit::reply(Report report)
{
    if (m_replyFilter && !m_replyFilter(report))
        return;
    if (m_randomEvery > 0 && ++m_repliesSinceRandom >= m_randomEvery) {
        m_repliesSinceRandom = 0;
        queueReport(noise());
    }
    queueReport(report);
}

void VirtualUnit::answer(const Report &report)
{
    switch (report[1]) {
    case SetDateTime:
        answerDateTime(report);
        break;
    case ReadBlock:
        answerReadBlock(report);
        break;
    case WriteBlock:
        answerWriteBlock(report);
        break;
    case FirmwareString:
        answerFirmwareString(report);
        break;
    default:
        break;
    }
}

void VirtualUnit::answerDateTime(const Report &report)
{
    m_dateTime = {report[8], report[9], report[10], report[11], report[12], report[13], report[14]};
    Report out{};
    out[1] = SetDateTime;
    out[2] = static_cast<std::uint8_t>(m_dateTimeStatus);
    reply(out);
}

void VirtualUnit::answerReadBlock(const Report &report)
{
    const int address = report[6] << 8 | report[7];
    const int count = std::min<int>(report[4], MaxText);
    Report out{};
    out[0] = static_cast<std::uint8_t>(count);
    out[1] = ReadBlock;
    out[2] = Accepted;
    out[6] = report[6];
    out[7] = report[7];
    for (int i = 0; i < count && address + i < EepromSize; ++i)
        out[Header + i] = m_eeprom[address + i];
    reply(out);
}

void VirtualUnit::answerWriteBlock(const Report &report)
{
    const int address = report[6] << 8 | report[7];
    const int count = std::min<int>(report[0], Block);
    if (report[2] == 1) {
        m_writeBlock = 1;
        m_uploadFailed = false;
    } else {
        ++m_writeBlock;
    }
    const bool fail = m_failWriteBlock > 0 && m_writeBlock == m_failWriteBlock;
    m_uploadFailed = m_uploadFailed || fail;
    if (!fail) {
        for (int i = 0; i < count && address + i < EepromSize; ++i)
            m_eeprom[address + i] = report[Header + i];
        if (report[2] == 3 && !m_uploadFailed) {
            ++m_completedUploads;
            saveEeprom();
        }
    }
    Report out{};
    out[1] = WriteBlock;
    out[2] = static_cast<std::uint8_t>(fail ? Failed : Accepted);
    out[6] = report[6];
    out[7] = report[7];
    reply(out);
}

void VirtualUnit::answerFirmwareString(const Report &report)
{
    const int number = report[2];
    if (!m_answerFirmware || number < 1 || number > StringCount)
        return;
    const std::string &text = m_strings[number - 1];
    const int length = static_cast<int>(std::min<size_t>(text.size(), MaxText));
    Report out{};
    out[0] = static_cast<std::uint8_t>(length);
    out[1] = FirmwareString;
    out[2] = static_cast<std::uint8_t>(number);
    std::copy_n(text.begin(), length, out.begin() + Header);
    reply(out);
}
