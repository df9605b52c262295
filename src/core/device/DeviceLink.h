#pragma once

#include "core/device/HidAccess.h"
#include "core/device/HidReport.h"
#include "core/device/UsbIdentity.h"

#include <QBitArray>
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QVector>
#include <functional>

class PresetImage;
struct hid_device_;

// The link to one RSX-4 over USB HID, with no user interface of its own: finds
// the unit, polls it from a timer, runs the firmware information exchange and
// the upload and download state machines. Everything runs on the thread that
// owns it; driven by its timer nothing blocks (a caller without an event loop
// drives it with step() instead). Whoever presents it listens to the signals.
class DeviceLink : public QObject
{
    Q_OBJECT
public:
    static constexpr unsigned short VendorId = UsbIdentity::VendorId;
    static constexpr unsigned short ProductId = UsbIdentity::ProductId;
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

    // How the last transfer ended.
    enum class TransferOutcome {
        None,
        Running,
        Completed,
        // The unit answered a block with status 0xFF.
        UnitError,
        // The unit was unplugged or a write failed.
        Disconnected,
        // A download reply reached past the transfer, or left bytes unfilled.
        BadReply,
        Cancelled,
        // The backup sink did not keep the unit's preset: nothing was written.
        BackupRefused,
    };
    Q_ENUM(TransferOutcome)

    static const QString FirmwareTooNewText;
    static const QString MidiRemoteControlText;

    // Takes the preset an upload is about to overwrite, read from the unit into
    // a new preset and parsed; returns whether it was kept. Runs inside the
    // tick (or step()) that read the last block.
    using BackupSink = std::function<bool(const PresetImage &unitPreset)>;

    explicit DeviceLink(QObject *parent = nullptr);
    ~DeviceLink() override;

    // Starts polling for the unit (every 250 ms until it is found).
    void start();

    // Both do nothing while offline or while a transfer runs. `image` is not
    // owned and must outlive the transfer; an upload sends the image bytes as
    // they are when it starts. False when the transfer did not start or was
    // over before they returned.
    //
    // With a `backup` sink the upload first reads the unit's preset as a
    // download does (its failures are reported as a download's) and hands it
    // to the sink; only when that succeeds and the sink keeps it does the
    // writing begin. One transfer: transferStarted() announces both lengths,
    // progress runs across both, and transferEnded() comes once.
    bool startUpload(PresetImage *image, const BackupSink &backup = {});
    bool startDownload(PresetImage *image);
    // Stops a download, or an upload still reading its backup, leaving the
    // image and the unit untouched. An upload that has begun writing is not
    // stopped: it runs on from its own copy of the image, since a unit left
    // with half a preset is worse than one that gets all of it.
    void cancelDownload();

    // For a caller without an event loop (no timer runs): opens the unit at a
    // hidraw path, then step() waits for and handles one report at a time.
    bool openPath(const QString &path);
    // Waits up to `timeoutMs` for one report and handles it as a poll tick
    // does. The read's result: the report's size, 0 when none came, -1 when the
    // link is (now) closed.
    int step(int timeoutMs);
    void close();
    bool firmwareExchangeDone() const { return m_fwComplete; }
    TransferOutcome lastOutcome() const { return m_outcome; }

    // Where a unit that cannot be opened is looked for (sysfs and /dev roots).
    void setAccessCheck(const HidAccess &check) { m_accessCheck = check; }
    // While offline: whether a unit is plugged in that this user may not open.
    HidAccess::Verdict unitAccess() const { return m_access; }
    // Whether an upload begins by setting the unit's clock (on by default).
    void setSyncDateTime(bool sync) { m_syncDateTime = sync; }
    bool syncsDateTime() const { return m_syncDateTime; }

    bool isOnline() const { return m_deviceOpen; }
    bool isBusy() const { return m_transferState != Idle || m_dateTimePending; }
    // Bytes are being written to the unit: stopping now leaves it half a preset.
    bool isUploading() const { return m_uploading && isBusy(); }
    bool isReadingBackup() const { return m_readingBackup && isBusy(); }
    int pollInterval() const { return m_pollTimer.interval(); }
    bool isPolling() const { return m_pollTimer.isActive(); }

    const QStringList &firmwareStrings() const { return m_fwStrings; }
    int expectedStringCount() const { return m_fwStringCount; }
    double firmwareVersion() const { return m_fwVersion; }
    int unitImageVersion() const { return m_imageVersion; }
    double unitCpldVersion() const { return m_cpldVersion; }

    TransferState currentTransferState() const { return m_transferState; }
    // Within the current phase: the backup read, or the bytes written.
    int transferPosition() const { return m_transferPos; }
    int transferLength() const { return m_transferSize; }

    // The persistent output buffer, report id first.
    const unsigned char *outputReport() const { return m_outReport; }

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
    // Every block of an upload has been acknowledged.
    void uploadFinished();
    // A transfer was aborted, after transferEnded.
    void transferFailed(bool upload, DeviceLink::TransferOutcome cause);

private:
    bool send();
    void opened();
    void handleRead(int n);
    void checkAccess();
    // The checks both transfers begin with; remembers the image.
    bool mayTransfer(PresetImage *target, const QString &title);
    bool announceStart(int maximum);
    // The upload's date and time, then its blocks.
    void beginWriting();
    void finishBackup();
    void closeDevice();
    void routeReport();
    void clearFirmwareString();
    void requestFirmwareString(int number);
    void onFirmwareString();
    void sendDateTime();
    void requestBlock(int count = HidReport::BlockSize);
    void sendNextBlock();
    // `blockReply`: the report answers a block, not the date and time.
    void onTransferReply(bool blockReply);
    bool onBlockReceived();
    void finishDownload();
    void transferError(TransferOutcome cause);
    void setProgress(int value);
    int transferSizeFor(const PresetImage &image) const;

    QTimer m_pollTimer;
    hid_device_ *m_deviceHandle = nullptr;
    bool m_deviceOpen = false;
    bool m_polling = false;

    unsigned char m_outReport[HidReport::OutputSize] = {};
    unsigned char m_inReport[HidReport::ReportSize] = {};

    HidAccess m_accessCheck;
    HidAccess::Verdict m_access = HidAccess::Unknown;
    QElapsedTimer m_sinceAccessCheck;

    QStringList m_fwStrings = defaultFirmwareStrings();
    int m_fwStringCount = 1;
    bool m_fwComplete = false;
    // An unidentified unit is treated as the oldest.
    double m_fwVersion = 0.0;
    int m_imageVersion = 1;
    double m_cpldVersion = 1.0;

    PresetImage *m_image = nullptr;
    QVector<int> m_txBuffer;
    QVector<int> m_rxBuffer;
    // Which bytes of the download have arrived.
    QBitArray m_rxFilled;
    // An upload ends when every block sent has been acknowledged; with the
    // date and time accepted, one acknowledgement is always outstanding.
    int m_blocksSent = 0;
    int m_blocksAcknowledged = 0;
    bool m_uploading = false;
    // An upload's first phase, reading what it will overwrite.
    bool m_readingBackup = false;
    BackupSink m_backupSink;
    // Where the current phase's progress starts.
    int m_progressBase = 0;
    TransferOutcome m_outcome = TransferOutcome::None;
    TransferState m_transferState = Idle;
    int m_transferPos = 0;
    int m_transferSize = 0;
    // An upload waiting for the unit to answer its date and time.
    bool m_dateTimePending = false;
    // While transferStarted is being emitted.
    bool m_transferOpening = false;
    bool m_syncDateTime = true;
};
