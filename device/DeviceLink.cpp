#include "DeviceLink.h"

#include "DeviceLog.h"
#include "PresetImage.h"

#include <QDateTime>
#include <cmath>
#include <hidapi.h>

Q_LOGGING_CATEGORY(lcDevice, "cuesmith.device")

namespace {

const QString Unknown = QStringLiteral("unknown");
constexpr int MaxFirmwareVersion = 2;
constexpr int CpldVersion2Build = 190117;
constexpr int FirstStringsOfOldUnits = 8;
constexpr double NewImageFirmware = 1.5;
constexpr int RemoteControlByte = 3;

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
    const int byte =
        image.imageByte(image.region(PresetImage::ConfigBlock).offset + RemoteControlByte);
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
            clearFirmwareString();
            // Announced before the first request, whose failure announces the opposite.
            emit statusChanged(QStringLiteral("RSX-4 Online"));
            emit onlineChanged(true);
            requestFirmwareString(1);
        }
    } else {
        const int n = hid_read(deviceHandle, inReport, HidReport::ReportSize);
        if (n < 0) {
            closeDevice();
        } else {
            if (n > 0)
                routeReport();
            if (deviceOpen && fwStrings.first() == Unknown)
                requestFirmwareString(1);
        }
    }

    polling = false;
    emit polled();
}

void DeviceLink::routeReport()
{
    switch (HidReport::command(inReport)) {
    case HidReport::SetDateTime:
        // Only an upload waiting for it may start its blocks.
        if (!dateTimePending)
            return;
        dateTimePending = false;
        transferState = UploadFirst;
        sendNextBlock();
        onTransferReply();
        break;
    case HidReport::ReadBlock:
    case HidReport::WriteBlock:
        onTransferReply();
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
    pollTimer.start(OfflineInterval);
    qCDebug(lcDevice) << "Close device";
    emit statusChanged(QStringLiteral("RSX-4 Offline"));
    emit onlineChanged(false);
    clearFirmwareString();
    if (isBusy())
        transferError();
}

void DeviceLink::clearFirmwareString()
{
    qCDebug(lcDevice) << "clearFirmwareString";
    fwStringCount = 1;
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

    if (number == fwStringCount)
        qCDebug(lcDevice) << "FW Info received:" << fwStringCount << fwStrings;
    else
        requestFirmwareString(number + 1);
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

void DeviceLink::startUpload(PresetImage *target)
{
    if (!mayTransfer(target, QStringLiteral("Send Preset")))
        return;
    if (cpldVersion < 2.0 && usesMidiRemoteControl(*image)) {
        emit warning(QStringLiteral("Send Preset"), MidiRemoteControlText);
        // The unit may have gone while the warning was up.
        if (!deviceOpen || isBusy())
            return;
    }

    transferSize = transferSizeFor(*image);
    txBuffer = image->image();
    emit transferStarted(transferSize);
    emit statusChanged(QStringLiteral("Sending Preset to RSX-4..."));
    if (syncDateTime) {
        dateTimePending = true;
        sendDateTime();
    } else {
        transferState = UploadFirst;
        sendNextBlock();
    }
}

void DeviceLink::startDownload(PresetImage *target)
{
    if (!mayTransfer(target, QStringLiteral("Receive Preset")))
        return;

    rxBuffer = QVector<int>(image->imageSize(), 0);
    transferSize = transferSizeFor(*image);
    qCDebug(lcDevice) << "Connected Eeprom Size: " << transferSize;
    emit transferStarted(transferSize);
    emit statusChanged(QStringLiteral("Receiving Preset from RSX-4..."));
    transferState = DownloadFirst;
    qCDebug(lcDevice) << "Begin Download...";
    transferPos = 0;
    requestBlock();
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
        transferState = Idle;
        qCDebug(lcDevice) << "Finished Sending Preset to Device";
        emit transferEnded();
        emit statusChanged(QStringLiteral("Upload Complete"));
        break;
    default:
        break;
    }
    setProgress(transferPos);
}

void DeviceLink::onTransferReply()
{
    const int status = HidReport::argument(inReport);
    switch (transferState) {
    case UploadFirst:
        if (status == HidReport::BlockAccepted) {
            transferState = UploadNext;
            sendNextBlock();
        }
        if (status == HidReport::Failure)
            transferError();
        break;
    case UploadNext:
    case UploadLast:
        if (status == HidReport::BlockAccepted)
            sendNextBlock();
        if (status == HidReport::Failure)
            transferError();
        break;
    case DownloadFirst:
    case DownloadNext:
        transferState = DownloadNext;
        onBlockReceived();
        break;
    case DownloadLast:
        if (onBlockReceived())
            finishDownload();
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
        transferError();
        return false;
    }
    for (int i = 0; i < count; ++i)
        rxBuffer[address + i] = inReport[HidReport::HeaderSize + i];

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
    qCDebug(lcDevice) << "Download Complete.";
    transferState = Idle;
    emit transferEnded();
    for (int i = 0; i < transferSize; ++i)
        image->setImageByte(i, rxBuffer.at(i));
    image->parseImage();
    emit downloadFinished();
    emit statusChanged(QStringLiteral("Download Complete"));
}

void DeviceLink::transferError()
{
    qCDebug(lcDevice) << "Transfer Error Occurred";
    dateTimePending = false;
    transferState = Idle;
    emit transferEnded();
}

void DeviceLink::setProgress(int value)
{
    if (isBusy())
        emit progressChanged(value);
}
