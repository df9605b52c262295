#pragma once

#include "HidReport.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVector>

class PresetImage;
struct hid_device_;

// The link to one RSX-4 over USB HID, with no user interface of its own: finds
// the unit, polls it from a timer, runs the firmware information exchange and
// the upload and download state machines. Everything runs on the thread that
// owns it; nothing blocks. Whoever presents it listens to the signals.
class DeviceLink : public QObject
{
    Q_OBJECT
public:
    static constexpr unsigned short VendorId = 0x04D8;
    static constexpr unsigned short ProductId = 0xF29E;
    static constexpr int OfflineInterval = 250;
    static constexpr int OnlineInterval = 15;
    static constexpr int StringTotal = 10;

    // Values of the transfer state. The download values are also the phase
    // byte of each read request.
    enum TransferState {
        Idle = 0,
        UploadFirst = 1,
        UploadNext = 2,
        UploadLast = 3,
        DownloadFirst = 0x80,
        DownloadNext = 0x81,
        DownloadLast = 0x82,
    };

    static const QString FirmwareTooNewText;
    static const QString MidiRemoteControlText;

    explicit DeviceLink(QObject *parent = nullptr);
    ~DeviceLink() override;

    // Starts polling for the unit (every 250 ms until it is found).
    void start();

    // Both do nothing while offline or while a transfer runs. `image` is not
    // owned and must outlive the transfer; an upload sends the image bytes as
    // they are when it starts.
    void startUpload(PresetImage *image);
    void startDownload(PresetImage *image);
    // Whether an upload begins by setting the unit's clock (on by default).
    void setSyncDateTime(bool sync) { syncDateTime = sync; }

    bool isOnline() const { return deviceOpen; }
    bool isBusy() const { return transferState != Idle || dateTimePending; }
    int pollInterval() const { return pollTimer.interval(); }
    bool isPolling() const { return pollTimer.isActive(); }

    const QStringList &firmwareStrings() const { return fwStrings; }
    int expectedStringCount() const { return fwStringCount; }
    double firmwareVersion() const { return fwVersion; }
    int unitImageVersion() const { return imageVersion; }
    double unitCpldVersion() const { return cpldVersion; }

    int currentTransferState() const { return transferState; }
    int transferPosition() const { return transferPos; }
    int transferLength() const { return transferSize; }

    // The persistent output buffer, report id first.
    const unsigned char *outputReport() const { return outReport; }

    static QStringList defaultFirmwareStrings();
    // Whether an image asks the unit for MIDI remote control (a control port is chosen).
    static bool usesMidiRemoteControl(const PresetImage &image);

public slots:
    // One timer tick: try to open the unit, or handle at most one input report.
    void pollUsb();

signals:
    void onlineChanged(bool online);
    // The end of every tick, whatever it did.
    void polled();
    void statusChanged(const QString &text);
    void transferStarted(int maximum);
    void progressChanged(int value);
    // A transfer ended, completed or aborted.
    void transferEnded();
    // A refusal or warning the user must see before anything goes on.
    void warning(const QString &title, const QString &text);
    // A download has been written into the image and parsed.
    void downloadFinished();

private:
    bool send();
    // The checks both transfers begin with; remembers the image.
    bool mayTransfer(PresetImage *target, const QString &title);
    void closeDevice();
    void routeReport();
    void clearFirmwareString();
    void requestFirmwareString(int number);
    void onFirmwareString();
    void sendDateTime();
    void requestBlock(int count = HidReport::BlockSize);
    void sendNextBlock();
    void onTransferReply();
    bool onBlockReceived();
    void finishDownload();
    void transferError();
    void setProgress(int value);
    int transferSizeFor(const PresetImage &image) const;

    QTimer pollTimer;
    hid_device_ *deviceHandle = nullptr;
    bool deviceOpen = false;
    bool polling = false;

    unsigned char outReport[HidReport::OutputSize] = {};
    unsigned char inReport[HidReport::ReportSize] = {};

    QStringList fwStrings = defaultFirmwareStrings();
    int fwStringCount = 1;
    // An unidentified unit is treated as the oldest.
    double fwVersion = 0.0;
    int imageVersion = 1;
    double cpldVersion = 1.0;

    PresetImage *image = nullptr;
    QVector<int> txBuffer;
    QVector<int> rxBuffer;
    int transferState = Idle;
    int transferPos = 0;
    int transferSize = 0;
    // An upload waiting for the unit to answer its date and time.
    bool dateTimePending = false;
    bool syncDateTime = true;
};
