#include "core/device/DeviceLink.h"

#include "core/Logging.h"
#include "core/preset/PresetImage.h"
#include "core/preset/PresetSettings.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <hidapi.h>

namespace {

const QString Unknown = QStringLiteral("unknown");
constexpr int MaxFirmwareVersion = 2;
constexpr int CpldVersion2Build = 190117;
constexpr int FirstStringsOfOldUnits = 8;
constexpr double NewImageFirmware = 1.5;
// sysfs is read while offline, at most this often (ms).
constexpr int AccessCheckInterval = 1000;

} // namespace

const QString DeviceLink::FirmwareTooNewText = QStringLiteral(
    "The connected RSX-4 contains a firmware version newer than this version of Cuesmith "
    "supports. Please upgrade to the latest Cuesmith to communicate with this unit.");
const QString DeviceLink::MidiRemoteControlText = QStringLiteral(
    "The connected RSX-4 is unable to support MIDI Remote Control. An internal firmware "
    "upgrade is required to use this functionality. Please contact Valdane.");

DeviceLink::DeviceLink(QObject *parent) : QObject(parent)
{
    connect(&pollTimer, &QTimer::timeout, this, &DeviceLink::pollUsb);
}

DeviceLink::~DeviceLink()
{
    if (deviceHandle)
        hid_close(deviceHandle);
}

void DeviceLink::start()
{
    pollTimer.start(OfflineInterval);
}

QStringList DeviceLink::defaultFirmwareStrings()
{
    return {Unknown,
            QStringLiteral("device"),
            QStringLiteral("version"),
            Unknown,
            Unknown,
            Unknown,
            Unknown,
            Unknown,
            QStringLiteral("n/a"),
            QStringLiteral("n/a")};
}

bool DeviceLink::usesMidiRemoteControl(const PresetImage &image)
{
    // The flat image, as the upload sends it, not the model's value.
    const PresetSetting &port = PresetSettings::setting(PresetSettings::ControlPort);
    const int byte = image.imageByte(image.region(port.region).offset + port.index);
    return (byte >> 4 & 0x0F) != 0;
}

int DeviceLink::transferSizeFor(const PresetImage &image) const
{
    return imageVersion == 1 ? image.shortImageSize() : image.imageSize();
}

void DeviceLink::pollUsb()
{
    // A progress update may spin the event loop; one tick at a time.
    if (polling)
        return;
    polling = true;

    if (!deviceOpen) {
        deviceHandle = hid_open(VendorId, ProductId, nullptr);
        if (deviceHandle) {
            deviceOpen = true;
            hid_set_nonblocking(deviceHandle, 1);
            pollTimer.start(OnlineInterval);
            opened();
        } else {
            checkAccess();
        }
    } else {
        handleRead(hid_read(deviceHandle, inReport, HidReport::ReportSize));
    }

    polling = false;
    emit polled();
}

int DeviceLink::step(int timeoutMs)
{
    if (!deviceOpen || polling)
        return -1;
    polling = true;
    const int n = hid_read_timeout(deviceHandle, inReport, HidReport::ReportSize, timeoutMs);
    handleRead(n);
    polling = false;
    emit polled();
    return deviceOpen ? std::max(n, 0) : -1;
}

bool DeviceLink::openPath(const QString &path)
{
    if (deviceOpen)
        return false;
    deviceHandle = hid_open_path(QFile::encodeName(path).constData());
    if (!deviceHandle)
        return false;
    deviceOpen = true;
    opened();
    return deviceOpen;
}

void DeviceLink::close()
{
    if (deviceOpen)
        closeDevice();
}

void DeviceLink::opened()
{
    access = HidAccess::Unknown;
    clearFirmwareString();
    // Announced before the first request, whose failure announces the opposite.
    emit statusChanged(QStringLiteral("RSX-4 Online"));
    emit onlineChanged(true);
    requestFirmwareString(1);
}

void DeviceLink::handleRead(int n)
{
    if (n < 0) {
        closeDevice();
        return;
    }
    if (n > 0)
        routeReport();
    if (deviceOpen && fwStrings.first() == Unknown)
        requestFirmwareString(1);
}

void DeviceLink::checkAccess()
{
    if (sinceAccessCheck.isValid() && !sinceAccessCheck.hasExpired(AccessCheckInterval))
        return;
    sinceAccessCheck.start();
    access = accessCheck.verdict();
}

void DeviceLink::routeReport()
{
    const int command = HidReport::command(inReport);
    // Nothing of a transfer that is only starting is on the wire yet: a
    // transfer reply read now is left over from an earlier one.
    if (transferOpening && command != HidReport::ReadFirmwareString)
        return;
    switch (command) {
    case HidReport::SetDateTime:
        // Only an upload waiting for it may start its blocks.
        if (!dateTimePending)
            return;
        dateTimePending = false;
        transferState = UploadFirst;
        sendNextBlock();
        onTransferReply(false);
        break;
    case HidReport::ReadBlock:
    case HidReport::WriteBlock:
        onTransferReply(true);
        break;
    case HidReport::ReadFirmwareString:
        onFirmwareString();
        break;
    default:
        break;
    }
}

bool DeviceLink::send()
{
    if (!deviceHandle)
        return false;
    if (hid_write(deviceHandle, outReport, HidReport::OutputSize) < 0) {
        closeDevice();
        return false;
    }
    return true;
}

void DeviceLink::closeDevice()
{
    if (deviceHandle)
        hid_close(deviceHandle);
    deviceHandle = nullptr;
    deviceOpen = false;
    // A link opened by path is driven by step(), not by the timer.
    if (pollTimer.isActive())
        pollTimer.start(OfflineInterval);
    qCDebug(lcDevice) << "Close device";
    emit statusChanged(QStringLiteral("RSX-4 Offline"));
    emit onlineChanged(false);
    clearFirmwareString();
    if (isBusy())
        transferError(TransferOutcome::Disconnected);
}

void DeviceLink::clearFirmwareString()
{
    qCDebug(lcDevice) << "clearFirmwareString";
    fwStringCount = 1;
    fwComplete = false;
    fwStrings = defaultFirmwareStrings();
}

void DeviceLink::requestFirmwareString(int number)
{
    HidReport::setFirmwareRequest(outReport, number);
    send();
}

void DeviceLink::onFirmwareString()
{
    const int length = HidReport::dataCount(inReport);
    const int number = HidReport::argument(inReport);
    qCDebug(lcDevice) << "String Length:" << length << "String Num:" << number;
    if (number < 1 || number > fwStringCount)
        return;

    const QString text = HidReport::firmwareText(inReport);
    fwStrings[number - 1] = text;

    if (number == 1) {
        bool ok = false;
        const double version = text.mid(7, 3).toDouble(&ok);
        fwVersion = ok && std::isfinite(version) ? version : 0.0;
        if (fwVersion < NewImageFirmware) {
            imageVersion = 1;
            fwStringCount = FirstStringsOfOldUnits;
        } else {
            imageVersion = 2;
            fwStringCount = StringTotal;
        }
        qCDebug(lcDevice) << "Connected Unit Image Version: " << imageVersion;
        qCDebug(lcDevice) << "Connected Unit FW Version:" << fwVersion;
    }
    if (number == 8) {
        const int build = text.left(6).toInt(nullptr, 10);
        cpldVersion = build >= CpldVersion2Build ? 2.0 : 1.0;
        qCDebug(lcDevice) << "Connected Unit CPLD Build:" << text;
        qCDebug(lcDevice) << "Connected Unit CPLD Version:" << cpldVersion;
    }

    if (number == fwStringCount) {
        qCDebug(lcDevice) << "FW Info received:" << fwStringCount << fwStrings;
        fwComplete = true;
    } else {
        requestFirmwareString(number + 1);
    }
}

bool DeviceLink::mayTransfer(PresetImage *target, const QString &title)
{
    if (!deviceOpen || !target || isBusy())
        return false;
    image = target;
    if (fwVersion >= MaxFirmwareVersion) {
        emit warning(title, FirmwareTooNewText);
        return false;
    }
    return true;
}

bool DeviceLink::startUpload(PresetImage *target, const BackupSink &backup)
{
    if (!mayTransfer(target, QStringLiteral("Send Preset")))
        return false;
    if (cpldVersion < 2.0 && usesMidiRemoteControl(*image)) {
        emit warning(QStringLiteral("Send Preset"), MidiRemoteControlText);
        // The unit may have gone while the warning was up.
        if (!deviceOpen || isBusy())
            return false;
    }

    transferSize = transferSizeFor(*image);
    txBuffer = image->image();
    backupSink = backup;
    readingBackup = bool(backupSink);
    uploading = !readingBackup;
    progressBase = 0;
    if (readingBackup) {
        rxBuffer = QVector<int>(image->imageSize(), 0);
        rxFilled = QBitArray(transferSize);
        transferState = DownloadFirst;
        transferPos = 0;
    } else if (syncDateTime) {
        dateTimePending = true;
    } else {
        transferState = UploadFirst;
    }
    if (!announceStart(readingBackup ? 2 * transferSize : transferSize))
        return false;
    emit statusChanged(QStringLiteral("Sending Preset to RSX-4..."));
    if (readingBackup)
        requestBlock();
    else
        beginWriting();
    return isBusy();
}

void DeviceLink::beginWriting()
{
    uploading = true;
    blocksSent = 0;
    blocksAcknowledged = 0;
    transferPos = 0;
    if (syncDateTime) {
        dateTimePending = true;
        transferState = Idle;
        sendDateTime();
    } else {
        transferState = UploadFirst;
        sendNextBlock();
    }
}

bool DeviceLink::startDownload(PresetImage *target)
{
    if (!mayTransfer(target, QStringLiteral("Receive Preset")))
        return false;

    rxBuffer = QVector<int>(image->imageSize(), 0);
    transferSize = transferSizeFor(*image);
    rxFilled = QBitArray(transferSize);
    qCDebug(lcDevice) << "Connected Eeprom Size: " << transferSize;
    uploading = false;
    readingBackup = false;
    progressBase = 0;
    transferState = DownloadFirst;
    transferPos = 0;
    if (!announceStart(transferSize))
        return false;
    emit statusChanged(QStringLiteral("Receiving Preset from RSX-4..."));
    qCDebug(lcDevice) << "Begin Download...";
    requestBlock();
    return isBusy();
}

bool DeviceLink::announceStart(int maximum)
{
    // The state is set before anyone hears of the transfer: showing its
    // progress may run a poll tick, and a tick that closes the link must find
    // a transfer to abort.
    outcome = TransferOutcome::Running;
    transferOpening = true;
    emit transferStarted(maximum);
    transferOpening = false;
    return isBusy();
}

void DeviceLink::cancelDownload()
{
    if (transferState >= DownloadFirst)
        transferError(TransferOutcome::Cancelled);
}

void DeviceLink::sendDateTime()
{
    const QTime time = QTime::currentTime();
    const QDate date = QDate::currentDate();
    HidReport::setDateTime(outReport, date, time);
    const unsigned char *values = outReport + 1 + HidReport::HeaderSize;
    qCDebug(lcDevice) << values[0] << values[1] << values[2] << values[3] << values[4] << values[5]
                      << values[6];
    send();
}

void DeviceLink::requestBlock(int count)
{
    HidReport::setReadRequest(outReport, transferState & 0xFF, count, transferPos);
    send();
}

void DeviceLink::sendNextBlock()
{
    const int block = HidReport::BlockSize;
    auto sendBlock = [this](int phase, int count) {
        HidReport::setWriteBlock(outReport, phase, transferSize, transferPos,
                                 txBuffer.constData() + transferPos, count);
        ++blocksSent;
        send();
    };

    switch (transferState) {
    case UploadFirst:
        transferPos = 0;
        sendBlock(UploadFirst, block);
        transferPos = block;
        break;
    case UploadNext:
        if (transferPos + block < transferSize) {
            sendBlock(UploadNext, block);
            transferPos += block;
        } else {
            transferState = UploadLast;
            sendBlock(UploadLast, transferSize - transferPos);
            transferPos = transferSize;
        }
        break;
    case UploadLast:
        // Only the last acknowledgement tells that the unit took every block.
        if (blocksAcknowledged < blocksSent)
            break;
        transferState = Idle;
        outcome = TransferOutcome::Completed;
        qCDebug(lcDevice) << "Finished Sending Preset to Device";
        emit transferEnded();
        emit statusChanged(QStringLiteral("Upload Complete"));
        emit uploadFinished();
        break;
    default:
        break;
    }
    setProgress(transferPos);
}

void DeviceLink::onTransferReply(bool blockReply)
{
    const int status = HidReport::argument(inReport);
    switch (transferState) {
    case UploadFirst:
    case UploadNext:
    case UploadLast:
        if (status == HidReport::BlockAccepted) {
            // The date and time reply's status starts the second block but
            // acknowledges none.
            if (blockReply)
                ++blocksAcknowledged;
            if (transferState == UploadFirst)
                transferState = UploadNext;
            sendNextBlock();
        } else if (status == HidReport::Failure) {
            transferError(TransferOutcome::UnitError);
        }
        break;
    case DownloadFirst:
    case DownloadNext:
    case DownloadLast:
        // Such a reply answers no read request: a late upload acknowledgement.
        if (HidReport::dataCount(inReport) == 0) {
            qCDebug(lcDevice) << "Ignored reply without data";
            break;
        }
        if (transferState != DownloadLast) {
            transferState = DownloadNext;
            onBlockReceived();
        } else if (onBlockReceived()) {
            finishDownload();
        }
        break;
    default:
        break;
    }
}

bool DeviceLink::onBlockReceived()
{
    setProgress(transferPos);
    const int address = HidReport::address(inReport);
    const int count = HidReport::dataCount(inReport);
    qCDebug(lcDevice) << "Block Address:" << address << "Block Size:" << count;
    if (count > HidReport::MaxData || address + count > transferSize) {
        transferError(TransferOutcome::BadReply);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        rxBuffer[address + i] = inReport[HidReport::HeaderSize + i];
        rxFilled.setBit(address + i);
    }

    if (transferState != DownloadLast) {
        transferPos += HidReport::BlockSize;
        if (transferPos + HidReport::BlockSize < transferSize) {
            requestBlock();
        } else {
            transferState = DownloadLast;
            requestBlock(transferSize - transferPos);
        }
    }
    return true;
}

void DeviceLink::finishDownload()
{
    // A short reply left a gap that the image must not take as zeros.
    if (rxFilled.count(true) != transferSize) {
        transferError(TransferOutcome::BadReply);
        return;
    }
    if (readingBackup) {
        finishBackup();
        return;
    }
    qCDebug(lcDevice) << "Download Complete.";
    transferState = Idle;
    outcome = TransferOutcome::Completed;
    emit transferEnded();
    for (int i = 0; i < transferSize; ++i)
        image->setImageByte(i, rxBuffer.at(i));
    image->parseImage();
    emit downloadFinished();
    emit statusChanged(QStringLiteral("Download Complete"));
}

void DeviceLink::finishBackup()
{
    PresetImage unitPreset;
    for (int i = 0; i < transferSize; ++i)
        unitPreset.setImageByte(i, rxBuffer.at(i));
    unitPreset.parseImage();
    const BackupSink sink = std::move(backupSink);
    backupSink = nullptr;
    const bool kept = sink(unitPreset);
    qCDebug(lcDevice) << "Backup of the unit's preset kept:" << kept;
    // The sink may have closed the link.
    if (!isBusy())
        return;
    if (!kept) {
        transferError(TransferOutcome::BackupRefused);
        return;
    }
    readingBackup = false;
    progressBase = transferSize;
    beginWriting();
}

void DeviceLink::transferError(TransferOutcome cause)
{
    qCDebug(lcDevice) << "Transfer Error Occurred";
    dateTimePending = false;
    transferState = Idle;
    outcome = cause;
    backupSink = nullptr;
    emit transferEnded();
    // A failed backup read is a failed download; a refused backup is the
    // upload's own end.
    emit transferFailed(uploading || cause == TransferOutcome::BackupRefused, cause);
}

void DeviceLink::setProgress(int value)
{
    if (isBusy())
        emit progressChanged(progressBase + value);
}
