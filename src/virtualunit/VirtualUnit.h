#pragma once

#include <hidapi.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <string>
#include <vector>

// A simulated RSX-4 behind the hidapi functions: an EEPROM of 1760 bytes, ten
// firmware strings, answers to the four commands (0x0B date and time, 0x0C read
// block, 0x0D write block, 0x0E firmware string), and a check of every output
// report against the byte layouts, which records what it finds wrong.
//
// Tests link it in place of hidapi and steer it through instance(); preloaded
// into the program it takes its settings from VIRTUAL_UNIT_* variables.
class VirtualUnit
{
public:
    static constexpr int EepromSize = 1760;
    static constexpr int ReportSize = 64;
    static constexpr int StringCount = 10;

    using Report = std::array<std::uint8_t, ReportSize>;
    using OutputReport = std::array<std::uint8_t, ReportSize + 1>;

    struct DateTime
    {
        int day = 0, month = 0, year = 0, weekday = 0, hour = 0, minute = 0, second = 0;
    };

    // The first unit, with the settings of the environment applied once.
    static VirtualUnit &instance();
    // Unit `index` (0 is instance()), made on first use like the first.
    static VirtualUnit &unit(int index);
    // How many units are plugged in side by side: VIRTUAL_UNIT_COUNT, or 1.
    static int unitCount();
    static void setUnitCount(int count);
    // The unit a handle belongs to (the first for none).
    static VirtualUnit &of(hid_device *device);
    // Its serial number, as hid_enumerate() reports it.
    std::wstring serialNumber() const;

    // A new unit: plugged in, firmware 1.6, CPLD build 190117, factory EEPROM,
    // answers at once, no faults, empty logs. Does not read the environment.
    void reset();
    // Applies the VIRTUAL_UNIT_* variables that are set.
    void applyEnvironment();

    // Plugging out drops every open handle and every reply not yet read.
    void setPlugged(bool plugged);
    bool isPlugged() const;
    // Plugged in only while this file exists (empty: no such file is asked about).
    void setPlugFile(const std::string &path) { m_plugFile = path; }

    // Version text, put at characters 7 to 9 of string 1 and into string 3.
    void setFirmwareVersion(const std::string &version);
    // The six digits string 8 begins with.
    void setCpldBuild(const std::string &build);
    // String 1 to 10, as the unit reports it (at most 56 characters go out).
    void setFirmwareString(int number, const std::string &text);
    std::string firmwareString(int number) const;

    void setEeprom(const std::vector<std::uint8_t> &bytes);
    const std::vector<std::uint8_t> &eeprom() const { return m_eeprom; }
    // Loads the EEPROM from a raw file (missing bytes stay 0, a missing file
    // leaves the factory contents) and writes it back after every upload.
    bool setEepromFile(const std::string &path);
    void setDateTimeStatus(int status) { m_dateTimeStatus = status & 0xFF; }

    // Reads that return nothing before a reply becomes readable.
    void setReplyLatency(int reads) { m_latency = reads < 0 ? 0 : reads; }
    // Plugs out right after the n-th output report from now (0: never).
    void setUnplugAfterReports(int reports) { m_unplugAfter = reports < 0 ? 0 : reports; }
    // Answers the n-th write block of each upload with status 0xFF (0: never).
    void setFailWriteBlock(int block) { m_failWriteBlock = block < 0 ? 0 : block; }
    void setAnswerFirmwareRequests(bool answer) { m_answerFirmware = answer; }
    // Puts one report of random bytes, whose command byte no request uses,
    // before every n-th reply (0: never).
    void setRandomReports(int every, unsigned seed = 1);
    // While no reply waits, sends such a report every `milliseconds` (0:
    // never), in real time: a unit that chatters and never falls silent.
    void setNoiseInterval(int milliseconds);
    // A report of the caller's own, read after the replies already waiting.
    void queueReport(const Report &report);
    // Sees each reply of the unit before it is queued, may change it, and drops
    // it by returning false. An empty filter passes everything.
    using ReplyFilter = std::function<bool(Report &reply)>;
    void setReplyFilter(ReplyFilter filter) { m_replyFilter = std::move(filter); }

    bool isOpen() const { return m_openHandles > 0; }
    int openCount() const { return m_openCount; }
    int pendingReplies() const { return static_cast<int>(m_replies.size()); }
    const std::vector<OutputReport> &receivedReports() const { return m_received; }
    const std::vector<std::string> &violations() const { return m_violations; }
    const DateTime &lastDateTime() const { return m_dateTime; }
    // Uploads whose every block was stored, up to the last.
    int completedUploads() const { return m_completedUploads; }
    void clearLog();

    // The hidapi side.
    hid_device *open(unsigned short vendorId, unsigned short productId, const wchar_t *serial);
    // The hidraw path the unit answers hid_open_path at and hid_enumerate
    // lists ("/dev/hidraw0" for the first unit after reset(), hidraw1 for the
    // second ...; empty: none).
    void setPath(const std::string &path) { m_path = path; }
    const std::string &path() const { return m_path; }
    hid_device *openPath(const char *path);
    void close(hid_device *device);
    int read(hid_device *device, unsigned char *data, size_t length);
    // A wait for a reply: the latency passes as if read after read had found
    // nothing, so a reply on its way comes before the time is up. With
    // nothing on its way it returns 0 at once, whatever the time out.
    int readTimeout(hid_device *device, unsigned char *data, size_t length, int milliseconds);
    int write(hid_device *device, const unsigned char *data, size_t length);
    int setNonblocking(hid_device *device, int nonblock);

private:
    explicit VirtualUnit(int index);

    struct Pending
    {
        Report report;
        long readyAtRead;
    };

    bool usable(hid_device *device);
    hid_device *connect();
    int take(unsigned char *data, size_t length);
    Report noise();
    // Waits up to `milliseconds` (negative: as long as it takes) for the next
    // report of chatter, when nothing else waits.
    void chatter(int milliseconds);
    void unplug();
    void violation(const std::string &text);
    // What the unit is sent, checked by command.
    void check(const Report &report);
    void checkFirmwareRequest(const Report &report);
    void checkReadRequest(const Report &report);
    void checkWriteBlock(const Report &report);
    void checkDateTime(const Report &report);
    void expect(const Report &report, int n, int value);
    void expectRange(const Report &report, int n, int low, int high, const char *what);
    void checkUnchanged(const Report &report, int from, int to);
    void answer(const Report &report);
    void reply(Report report);
    void answerDateTime(const Report &report);
    void answerReadBlock(const Report &report);
    void answerWriteBlock(const Report &report);
    void answerFirmwareString(const Report &report);
    void saveEeprom();

    int m_index = 0;
    std::string m_path;
    bool m_plugged = true;
    std::string m_plugFile;
    unsigned m_generation = 0;
    int m_openHandles = 0;
    int m_openCount = 0;
    bool m_nonblocking = false;

    std::array<std::string, StringCount> m_strings;
    std::string m_version;
    std::string m_cpld;
    std::vector<std::uint8_t> m_eeprom;
    std::string m_eepromFile;
    int m_dateTimeStatus = 0;
    DateTime m_dateTime;

    int m_latency = 0;
    int m_unplugAfter = 0;
    int m_failWriteBlock = 0;
    bool m_answerFirmware = true;
    int m_randomEvery = 0;
    int m_repliesSinceRandom = 0;
    std::mt19937 m_random;
    int m_noiseInterval = 0;
    std::chrono::steady_clock::time_point m_nextNoise;
    ReplyFilter m_replyFilter;

    long m_reads = 0;
    std::deque<Pending> m_replies;
    std::vector<OutputReport> m_received;
    std::vector<std::string> m_violations;
    int m_completedUploads = 0;

    // What the last report of this connection held, and where each transfer stands.
    bool m_havePrevious = false;
    Report m_previous{};
    int m_nextReadAddress = -1;
    int m_nextWriteAddress = -1;
    int m_writeTotal = 0;
    int m_writeBlock = 0;
    bool m_uploadFailed = false;
};
