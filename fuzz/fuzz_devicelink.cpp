// Arbitrary input reports and unit behaviour against the real device-link
// panel, in every state of the link: offline, during the firmware exchange,
// idle, uploading and downloading. The virtual unit answers as a unit would,
// and the input bends its replies, drops them, adds reports of its own, slows
// it, fails its writes and plugs it in and out. Invariants, after every step:
// the transfer state is one the protocol knows; offline means idle; no
// progress dialog without a transfer; the buttons follow the link; every
// report the program sends is well formed and every write block carries the
// image it uploads; the image changes only when a download finishes, and then
// holds exactly what the unit's accepted block replies carried; a block that
// reaches past the transfer ends the download.
//
// Input: a scenario byte, an image byte, then operations (see run()).

#include "FuzzSupport.h"
#include "PresetImage.h"
#include "VirtualUnit.h"
#include "commsWidget.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>

#include <deque>
#include <hidapi.h>
#include <memory>

namespace {

constexpr int ReportSize = 64;
constexpr int DataStart = 8;
constexpr int MaxData = ReportSize - DataStart;
constexpr int TickBudget = 1500;

VirtualUnit &unit()
{
    return VirtualUnit::instance();
}

bool isKnownState(int state)
{
    return (state >= 0 && state <= 3) || (state >= 0x80 && state <= 0x82);
}

bool isDownloading(int state)
{
    return state >= 0x80 && state <= 0x82;
}

struct Read
{
    int state;
    int transferSize;
    VirtualUnit::Report report;
};

// What the program read, with the link's state at that moment; filled by
// the read hook below, whoever polls.
std::deque<Read> reads;
const DeviceLink *watchedLink = nullptr;

} // namespace

// The link's reads, seen on their way from the virtual unit (the fuzz target
// is linked with --wrap=hid_read).
extern "C" int __real_hid_read(hid_device *device, unsigned char *data, size_t length);
extern "C" int __wrap_hid_read(hid_device *device, unsigned char *data, size_t length)
{
    const int n = __real_hid_read(device, data, length);
    FUZZ_CHECK(length == ReportSize, QString::number(length));
    if (n > 0 && watchedLink) {
        Read read{watchedLink->currentTransferState(), watchedLink->transferLength(), {}};
        std::copy(data, data + qMin(n, ReportSize), read.report.begin());
        reads.push_back(read);
    }
    return n;
}

namespace {

class Session
{
public:
    explicit Session(int imageSeed)
    {
        for (int i = 0; i < image.imageSize(); ++i)
            image.setImageByte(i, (i * 37 + imageSeed * 11 + i / 97) & 0xFF);
        unchanged = image.image();
        fuzz::dialogCloser().titles.clear();
        watchedLink = panel.link();
        reads.clear();
        QObject::connect(panel.link(), &DeviceLink::downloadFinished, &panel,
                         [this] { downloadFinished(); });
        unit().setReplyFilter([this](VirtualUnit::Report &reply) { return bend(reply); });
        upload = panel.findChild<QPushButton *>("uploadButton");
        download = panel.findChild<QPushButton *>("downloadButton");
        name = panel.findChild<QLineEdit *>("unitNameEdit");
    }

    ~Session()
    {
        unit().setReplyFilter(nullptr);
        watchedLink = nullptr;
    }

    const DeviceLink &link() const { return *panel.link(); }

    void tick(int count = 1)
    {
        for (int i = 0; i < count && ticks < TickBudget; ++i, ++ticks) {
            panel.pollUsb();
            check();
        }
    }

    // Ticks until the link has found or lost the unit, no transfer runs and
    // the unit has nothing left to say.
    void settle(int limit)
    {
        for (int i = 0; i < limit && ticks < TickBudget; ++i) {
            if (link().isOnline() == unit().isPlugged() && !link().isBusy() &&
                unit().pendingReplies() == 0)
                return;
            tick();
        }
    }

    bool exhausted() const { return ticks >= TickBudget; }

    void startUpload()
    {
        const bool wasBusy = link().isBusy();
        uploadSource = image.image();
        panel.startUpload(&image);
        if (!wasBusy && link().isBusy())
            uploadLength = link().transferLength();
        // A warning, then the box of a transfer that failed at once.
        takeDialogs({"Send Preset"}, 0, 2);
        check();
    }

    void startDownload()
    {
        panel.startDownload(&image);
        takeDialogs({"Receive Preset"}, 0, 1);
        check();
    }

    void setSyncDateTime(bool sync) { panel.syncDateTimeOption()->setChecked(sync); }

    // The next reply of the unit is changed at these report bytes, or dropped.
    void bendNextReply(const QVector<QPair<int, int>> &changes, bool drop)
    {
        bends.push_back({changes, drop});
    }

    void showDeviceInfo()
    {
        panel.showDeviceInfo();
        takeDialogs({"Device Info", "Send Preset", "Receive Preset"}, 1, 2);
        check();
    }

    void cancelDialog()
    {
        panel.transferDialog()->cancel();
        check();
    }

    void check()
    {
        // The only box the link shows of its own tells of a failed transfer.
        takeDialogs({"Send Preset", "Receive Preset"}, 0, 1);
        takeReads();
        const int state = link().currentTransferState();
        FUZZ_CHECK(isKnownState(state), QString::number(state));
        if (!link().isOnline())
            FUZZ_CHECK(state == 0 && !link().isBusy(), QString::number(state));
        if (!link().isBusy())
            FUZZ_CHECK(!panel.transferDialog()->isVisible(), QString());
        if (abortExpected) {
            FUZZ_CHECK(!isDownloading(state), "a block past the transfer did not end it");
            abortExpected = false;
        }

        // The panel shows the link as it is.
        const bool allowed = link().isOnline() && !link().isBusy();
        FUZZ_CHECK(upload->isEnabled() == allowed && download->isEnabled() == allowed, QString());
        FUZZ_CHECK(name->text() ==
                       (link().isOnline() ? link().firmwareStrings().first() : "<Not Connected>"),
                   name->text());

        // Firmware strings come from a report's data bytes.
        FUZZ_CHECK(link().firmwareStrings().size() == 10, QString());
        for (const QString &text : link().firmwareStrings())
            FUZZ_CHECK(text.size() <= MaxData, text);
        const int count = link().expectedStringCount();
        FUZZ_CHECK(count == 1 || count == 8 || count == 10, QString::number(count));
        const int version = link().unitImageVersion();
        FUZZ_CHECK(version == 1 || version == 2, QString::number(version));

        FUZZ_CHECK(image.image() == unchanged, "the image changed without a finished download");
        checkSentReports();
    }

private:
    // The dialogs an action showed: between `least` and `most`, all of them
    // titled as allowed.
    void takeDialogs(const QStringList &allowed, int least, int most)
    {
        const QStringList shown = fuzz::dialogCloser().titles.mid(dialogsSeen);
        dialogsSeen = fuzz::dialogCloser().titles.size();
        FUZZ_CHECK(shown.size() >= least && shown.size() <= most, shown.join(", "));
        for (const QString &title : shown)
            FUZZ_CHECK(allowed.contains(title), title);
    }

    struct Bend
    {
        QVector<QPair<int, int>> changes;
        bool drop;
    };

    bool bend(VirtualUnit::Report &reply)
    {
        if (bends.empty())
            return true;
        const Bend b = bends.front();
        bends.pop_front();
        for (const auto &change : b.changes)
            reply[size_t(change.first) % ReportSize] = std::uint8_t(change.second);
        return !b.drop;
    }

    // The download's receive buffer, rebuilt from the block replies the link
    // read while downloading: a block inside the transfer is kept, one that
    // reaches past it (or past a report's data) must end the download.
    void takeReads()
    {
        while (!reads.empty()) {
            const Read read = reads.front();
            reads.pop_front();
            if (abortExpected) {
                FUZZ_CHECK(!isDownloading(read.state), "a block past the transfer did not end it");
                abortExpected = false;
            }
            const int command = read.report[1];
            if (!isDownloading(read.state) || (command != 0x0C && command != 0x0D))
                continue;
            // The first reply of a download: its receive buffer starts empty.
            if (read.state == DeviceLink::DownloadFirst)
                received = QVector<int>(image.imageSize(), 0);
            const int count = read.report[0];
            const int address = read.report[6] << 8 | read.report[7];
            if (count > MaxData || address + count > read.transferSize) {
                abortExpected = true;
                continue;
            }
            for (int i = 0; i < count; ++i)
                received[address + i] = read.report[DataStart + i];
        }
    }

    void downloadFinished()
    {
        takeReads();
        FUZZ_CHECK(!abortExpected, "a download ended well after a block past the transfer");
        const int size = link().transferLength();
        for (int i = 0; i < image.imageSize(); ++i) {
            const int expected = i < size ? received.at(i) : unchanged.at(i);
            FUZZ_CHECK(image.imageByte(i) == expected,
                       QStringLiteral("image byte %1 is %2, not %3 (size %4)")
                           .arg(i)
                           .arg(image.imageByte(i))
                           .arg(expected)
                           .arg(size));
        }
        unchanged = image.image();

        // The pages are shown the model parsed from what arrived.
        PresetImage parsed;
        for (int i = 0; i < image.imageSize(); ++i)
            parsed.setImageByte(i, image.imageByte(i));
        parsed.parseImage();
        parsed.buildImage();
        PresetImage shown = image;
        shown.buildImage();
        FUZZ_CHECK(shown.image() == parsed.image(), "the downloaded image was not parsed");
    }

    // Whatever the program heard, what it says stays well formed, and an
    // upload sends the image it was given.
    void checkSentReports()
    {
        const auto &violations = unit().violations();
        FUZZ_CHECK(violations.empty(), QString::fromStdString(violations.front()));
        const auto &sent = unit().receivedReports();
        for (; checkedReports < sent.size(); ++checkedReports) {
            const VirtualUnit::OutputReport &out = sent[checkedReports];
            if (out[2] != 0x0D)
                continue;
            const int count = out[1];
            const int total = out[5] << 8 | out[6];
            const int address = out[7] << 8 | out[8];
            FUZZ_CHECK(total == uploadLength, QString::number(total));
            for (int i = 0; i < count; ++i)
                FUZZ_CHECK(out[1 + DataStart + i] == (uploadSource.value(address + i) & 0xFF),
                           QStringLiteral("write block at %1, byte %2").arg(address).arg(i));
        }
    }

    PresetImage image;
    commsWidget panel;
    QPushButton *upload = nullptr;
    QPushButton *download = nullptr;
    QLineEdit *name = nullptr;
    QVector<int> unchanged;
    QVector<int> received = QVector<int>(image.imageSize(), 0);
    QVector<int> uploadSource;
    int uploadLength = 0;
    bool abortExpected = false;
    size_t checkedReports = 0;
    std::deque<Bend> bends;
    int ticks = 0;
    int dialogsSeen = 0;
};

const char *const Firmware[] = {"1.6", "1.4", "2.0", "1.5"};

VirtualUnit::Report reportFrom(fuzz::Input &in)
{
    VirtualUnit::Report r{};
    const QByteArray header = in.bytes(DataStart);
    std::copy(header.begin(), header.end(), r.begin());
    const QByteArray data = in.bytes(size_t(in.byte() % (MaxData + 1)));
    std::copy(data.begin(), data.end(), r.begin() + DataStart);
    return r;
}

void run(fuzz::Input &in)
{
    unit().reset();
    const int scenario = in.byte();
    unit().setFirmwareVersion(Firmware[scenario & 3]);
    if (scenario & 4)
        unit().setCpldBuild("190116");
    unit().setDateTimeStatus(scenario & 0x10 ? 0x80 : 0x00);

    const int imageByte = in.byte();
    Session session(imageByte);
    session.setSyncDateTime(!(scenario & 8));

    // Where the input takes over.
    switch (scenario >> 5) {
    case 0: // offline
        unit().setPlugged(false);
        session.tick();
        break;
    case 1: // the firmware exchange has only begun
        session.tick();
        break;
    case 2: // online, idle
    case 5:
        session.settle(40);
        break;
    case 3: // uploading
    case 6:
        session.settle(40);
        session.startUpload();
        break;
    case 4: // downloading
    case 7:
        session.settle(40);
        session.startDownload();
        break;
    }

    while (!in.atEnd() && !session.exhausted()) {
        switch (in.byte() % 12) {
        case 0:
            session.tick(1 + in.byte() % 4);
            break;
        case 1: // a report of any bytes
            unit().queueReport(reportFrom(in));
            break;
        case 2: { // a block reply of the input's choosing
            VirtualUnit::Report r{};
            r[0] = std::uint8_t(in.byte());
            r[1] = in.byte() & 1 ? 0x0D : 0x0C;
            r[2] = std::uint8_t(in.byte());
            // Any address, or one near the end or the position of the transfer.
            int address = 0;
            switch (in.byte() % 3) {
            case 0:
                address = in.word();
                break;
            case 1:
                address = session.link().transferLength() - in.byte();
                break;
            case 2:
                address = session.link().transferPosition() + static_cast<signed char>(in.byte());
                break;
            }
            r[6] = std::uint8_t(address >> 8);
            r[7] = std::uint8_t(address);
            const QByteArray data = in.bytes(qMin<size_t>(r[0], MaxData));
            std::copy(data.begin(), data.end(), r.begin() + DataStart);
            unit().queueReport(r);
            break;
        }
        case 3: { // the unit's next reply, changed
            QVector<QPair<int, int>> changes;
            for (int n = 1 + in.byte() % 4; n > 0; --n) {
                const int at = in.byte();
                changes << qMakePair(at, in.byte());
            }
            session.bendNextReply(changes, false);
            break;
        }
        case 4: // the unit's next reply, lost
            session.bendNextReply({}, true);
            break;
        case 5:
            session.startUpload();
            break;
        case 6:
            session.startDownload();
            break;
        case 7:
            unit().setPlugged(!unit().isPlugged());
            break;
        case 8: {
            const int value = in.byte();
            switch (value % 5) {
            case 0:
                unit().setReplyLatency(value / 5 % 4);
                break;
            case 1:
                unit().setFailWriteBlock(value / 5);
                break;
            case 2:
                unit().setAnswerFirmwareRequests(value & 0x80);
                break;
            case 3:
                unit().setRandomReports(value / 5 % 4, unsigned(value));
                break;
            case 4:
                unit().setDateTimeStatus(in.byte());
                break;
            }
            break;
        }
        case 9:
            session.cancelDialog();
            break;
        case 10:
            session.showDeviceInfo();
            break;
        case 11:
            session.settle(160);
            break;
        }
    }
    session.settle(200);
    session.check();
}

QByteArray seed(std::initializer_list<int> bytes)
{
    QByteArray s;
    for (int b : bytes)
        s.append(static_cast<char>(b));
    return s;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::application();
    fuzz::dialogCloser();
    fuzz::writeSeeds("devicelink",
                     {
                         // Connect, then each transfer runs to its end.
                         seed({0x40, 1, 5, 11}),
                         seed({0x40, 2, 6, 11}),
                         seed({0x41, 3, 6, 11}),
                         seed({0x50, 4, 5, 11}),
                         seed({0x48, 5, 5, 11}),
                         // A firmware 2.0 unit refuses both; MIDI remote control warns.
                         seed({0x42, 6, 5, 6, 11}),
                         seed({0x44, 0x30, 5, 11}),
                         // Unplugged during each transfer, then again.
                         seed({0x60, 7, 0, 3, 7, 0, 7, 11, 5, 11}),
                         seed({0x80, 8, 0, 3, 7, 11, 7, 11, 6, 11}),
                         // A block reply past the end, one that bends the address.
                         seed({0x80, 9, 2, 24, 0, 0x80, 0, 0x06, 0xD0, 11}),
                         seed({0x81, 9, 2, 24, 0, 0x80, 1, 20, 11}),
                         seed({0x80, 10, 3, 2, 6, 0xFF, 7, 0xF0, 11}),
                         // Status 0xFF at block 3; a lost reply; noise.
                         seed({0x60, 11, 8, 16, 11, 4, 0, 0, 0, 8, 18, 11}),
                         // Firmware strings of any length and number.
                         seed({0x20, 12, 1, 60, 0x0E, 1, 0, 0, 0, 0, 0, 56, 'A', 'B', 0, 2}),
                         seed({0x20, 13, 3, 0, 2, 11, 10, 9}),
                     });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, size_t size)
{
    fuzz::Input in(data, size);
    run(in);
    return 0;
}
