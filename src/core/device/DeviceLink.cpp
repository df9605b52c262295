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
    connect(&m_pollTimer, &QTimer::timeout, this, &DeviceLink::pollUsb);
}

DeviceLink::~DeviceLink()
{
    if (m_deviceHandle)
        hid_close(m_deviceHandle);
}

void DeviceLink::start()
{
    m_pollTimer.start(OfflineInterval);
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
    return m_imageVersion == 1 ? image.shortImageSize() : image.imageSize();
}

void DeviceLink::pollUsb()
{
    // A progress update may spin the event loop; one tick at a time.
    if (m_polling)
        return;
    m_polling = true;

    if (!m_deviceOpen) {
        m_deviceHandle = hid_open(VendorId, ProductId, nullptr);
        if (m_deviceHandle) {
            m_deviceOpen = true;
            hid_set_nonblocking(m_deviceHandle, 1);
            m_pollTimer.start(OnlineInterval);
            opened();
        } else {
            checkAccess();
        }
    } else {
        handleRead(hid_read(m_deviceHandle, m_inReport, HidReport::ReportSize));
    }

    m_polling = false;
    emit polled();
}

int DeviceLink::step(int timeoutMs)
{
    if (!m_deviceOpen || m_polling)
        return -1;
    m_polling = true;
    const int n = hid_read_timeout(m_deviceHandle, m_inReport, HidReport::ReportSize, timeoutMs);
    handleRead(n);
    m_polling = false;
    emit polled();
    return m_deviceOpen ? std::max(n, 0) : -1;
}

bool DeviceLink::openPath(const QString &path)
{
    if (m_deviceOpen)
        return false;
    m_deviceHandle = hid_open_path(QFile::encodeName(path).constData());
    if (!m_deviceHandle)
        return false;
    m_deviceOpen = true;
    opened();
    return m_deviceOpen;
}

void DeviceLink::close()
{
    if (m_deviceOpen)
        closeDevice();
}

void DeviceLink::opened()
{
    m_access = HidAccess::Unknown;
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
    if (m_deviceOpen && m_fwStrings.first() == Unknown)
        requestFirmwareString(1);
}

void DeviceLink::checkAccess()
{
    if (m_sinceAccessCheck.isValid() && !m_sinceAccessCheck.hasExpired(AccessCheckInterval))
        return;
    m_sinceAccessCheck.start();
    m_access = m_accessCheck.verdict();
}

void DeviceLink::routeReport()
{
    const int command = HidReport::command(m_inReport);
    // Nothing of a transfer that is only starting is on the wire yet: a
    // transfer reply read now is left over from an earlier one.
    if (m_transferOpening && command != HidReport::ReadFirmwareString)
        return;
    switch (command) {
    case HidReport::SetDateTime:
        // Only an upload waiting for it may start its blocks.
        if (!m_dateTimePending)
            return;
        m_dateTimePending = false;
        m_transferState = UploadFirst;
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
    if (!m_deviceHandle)
        return false;
    if (hid_write(m_deviceHandle, m_outReport, HidReport::OutputSize) < 0) {
        closeDevice();
        return false;
    }
    return true;
}

void DeviceLink::closeDevice()
{
    if (m_deviceHandle)
        hid_close(m_deviceHandle);
    m_deviceHandle = nullptr;
    m_deviceOpen = false;
    // A link opened by path is driven by step(), not by the timer.
    if (m_pollTimer.isActive())
        m_pollTimer.start(OfflineInterval);
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
    m_fwStringCount = 1;
    m_fwComplete = false;
    m_fwStrings = defaultFirmwareStrings();
}

void DeviceLink::requestFirmwareString(int number)
{
    HidReport::setFirmwareRequest(m_outReport, number);
    send();
}

void DeviceLink::onFirmwareString()
{
    const int length = HidReport::dataCount(m_inReport);
    const int number = HidReport::argument(m_inReport);
    qCDebug(lcDevice) << "String Length:" << length << "String Num:" << number;
    if (number < 1 || number > m_fwStringCount)
        return;

    const QString text = HidReport::firmwareText(m_inReport);
    m_fwStrings[number - 1] = text;

    if (number == 1) {
        bool ok = false;
        const double version = text.mid(7, 3).toDouble(&ok);
        m_fwVersion = ok && std::isfinite(version) ? version : 0.0;
        if (m_fwVersion < NewImageFirmware) {
            m_imageVersion = 1;
            m_fwStringCount = FirstStringsOfOldUnits;
        } else {
            m_imageVersion = 2;
            m_fwStringCount = StringTotal;
        }
        qCDebug(lcDevice) << "Connected Unit Image Version: " << m_imageVersion;
        qCDebug(lcDevice) << "Connected Unit FW Version:" << m_fwVersion;
    }
    if (number == 8) {
        const int build = text.left(6).toInt(nullptr, 10);
        m_cpldVersion = build >= CpldVersion2Build ? 2.0 : 1.0;
        qCDebug(lcDevice) << "Connected Unit CPLD Build:" << text;
        qCDebug(lcDevice) << "Connected Unit CPLD Version:" << m_cpldVersion;
    }

    if (number == m_fwStringCount) {
        qCDebug(lcDevice) << "FW Info received:" << m_fwStringCount << m_fwStrings;
        m_fwComplete = true;
    } else {
        requestFirmwareString(number + 1);
    }
}

bool DeviceLink::mayTransfer(PresetImage *target, const QString &title)
{
    if (!m_deviceOpen || !target || isBusy())
        return false;
    m_image = target;
    if (m_fwVersion >= MaxFirmwareVersion) {
        emit warning(title, FirmwareTooNewText);
        return false;
    }
    return true;
}

bool DeviceLink::startUpload(PresetImage *target, const BackupSink &backup)
{
    if (!mayTransfer(target, QStringLiteral("Send Preset")))
        return false;
    if (m_cpldVersion < 2.0 && usesMidiRemoteControl(*m_image)) {
        emit warning(QStringLiteral("Send Preset"), MidiRemoteControlText);
        // The unit may have gone while the warning was up.
        if (!m_deviceOpen || isBusy())
            return false;
    }

    m_transferSize = transferSizeFor(*m_image);
    m_txBuffer = m_image->image();
    m_backupSink = backup;
    m_readingBackup = bool(m_backupSink);
    m_uploading = !m_readingBackup;
    m_progressBase = 0;
    if (m_readingBackup) {
        m_rxBuffer = QVector<int>(m_image->imageSize(), 0);
        m_rxFilled = QBitArray(m_transferSize);
        m_transferState = DownloadFirst;
        m_transferPos = 0;
    } else if (m_syncDateTime) {
        m_dateTimePending = true;
    } else {
        m_transferState = UploadFirst;
    }
    if (!announceStart(m_readingBackup ? 2 * m_transferSize : m_transferSize))
        return false;
    emit statusChanged(QStringLiteral("Sending Preset to RSX-4..."));
    if (m_readingBackup)
        requestBlock();
    else
        beginWriting();
    return isBusy();
}

void DeviceLink::beginWriting()
{
    m_uploading = true;
    m_blocksSent = 0;
    m_blocksAcknowledged = 0;
    m_transferPos = 0;
    if (m_syncDateTime) {
        m_dateTimePending = true;
        m_transferState = Idle;
        sendDateTime();
    } else {
        m_transferState = UploadFirst;
        sendNextBlock();
    }
}

bool DeviceLink::startDownload(PresetImage *target)
{
    if (!mayTransfer(target, QStringLiteral("Receive Preset")))
        return false;

    m_rxBuffer = QVector<int>(m_image->imageSize(), 0);
    m_transferSize = transferSizeFor(*m_image);
    m_rxFilled = QBitArray(m_transferSize);
    qCDebug(lcDevice) << "Connected Eeprom Size: " << m_transferSize;
    m_uploading = false;
    m_readingBackup = false;
    m_progressBase = 0;
    m_transferState = DownloadFirst;
    m_transferPos = 0;
    if (!announceStart(m_transferSize))
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
    m_outcome = TransferOutcome::Running;
    m_transferOpening = true;
    emit transferStarted(maximum);
    m_transferOpening = false;
    return isBusy();
}

void DeviceLink::cancelDownload()
{
    if (m_transferState >= DownloadFirst)
        transferError(TransferOutcome::Cancelled);
}

void DeviceLink::sendDateTime()
{
    const QTime time = QTime::currentTime();
    const QDate date = QDate::currentDate();
    HidReport::setDateTime(m_outReport, date, time);
    const unsigned char *values = m_outReport + 1 + HidReport::HeaderSize;
    qCDebug(lcDevice) << values[0] << values[1] << values[2] << values[3] << values[4] << values[5]
                      << values[6];
    send();
}

void DeviceLink::requestBlock(int count)
{
    HidReport::setReadRequest(m_outReport, m_transferState & 0xFF, count, m_transferPos);
    send();
}

void DeviceLink::sendNextBlock()
{
    const int block = HidReport::BlockSize;
    auto sendBlock = [this](int phase, int count) {
        HidReport::setWriteBlock(m_outReport, phase, m_transferSize, m_transferPos,
                                 m_txBuffer.constData() + m_transferPos, count);
        ++m_blocksSent;
        send();
    };

    switch (m_transferState) {
    case UploadFirst:
        m_transferPos = 0;
        sendBlock(UploadFirst, block);
        m_transferPos = block;
        break;
    case UploadNext:
        if (m_transferPos + block < m_transferSize) {
            sendBlock(UploadNext, block);
            m_transferPos += block;
        } else {
            m_transferState = UploadLast;
            sendBlock(UploadLast, m_transferSize - m_transferPos);
            m_transferPos = m_transferSize;
        }
        break;
    case UploadLast:
        // Only the last acknowledgement tells that the unit took every block.
        if (m_blocksAcknowledged < m_blocksSent)
            break;
        m_transferState = Idle;
        m_outcome = TransferOutcome::Completed;
        qCDebug(lcDevice) << "Finished Sending Preset to Device";
        emit transferEnded();
        emit statusChanged(QStringLiteral("Upload Complete"));
        emit uploadFinished();
        break;
    default:
        break;
    }
    setProgress(m_transferPos);
}

void DeviceLink::onTransferReply(bool blockReply)
{
    const int status = HidReport::argument(m_inReport);
    switch (m_transferState) {
    case UploadFirst:
    case UploadNext:
    case UploadLast:
        if (status == HidReport::BlockAccepted) {
            // The date and time reply's status starts the second block but
            // acknowledges none.
            if (blockReply)
                ++m_blocksAcknowledged;
            if (m_transferState == UploadFirst)
                m_transferState = UploadNext;
            sendNextBlock();
        } else if (status == HidReport::Failure) {
            transferError(TransferOutcome::UnitError);
        }
        break;
    case DownloadFirst:
    case DownloadNext:
    case DownloadLast:
        // Such a reply answers no read request: a late upload acknowledgement.
        if (HidReport::dataCount(m_inReport) == 0) {
            qCDebug(lcDevice) << "Ignored reply without data";
            break;
        }
        if (m_transferState != DownloadLast) {
            m_transferState = DownloadNext;
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
    setProgress(m_transferPos);
    const int address = HidReport::address(m_inReport);
    const int count = HidReport::dataCount(m_inReport);
    qCDebug(lcDevice) << "Block Address:" << address << "Block Size:" << count;
    if (count > HidReport::MaxData || address + count > m_transferSize) {
        transferError(TransferOutcome::BadReply);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        m_rxBuffer[address + i] = m_inReport[HidReport::HeaderSize + i];
        m_rxFilled.setBit(address + i);
    }

    if (m_transferState != DownloadLast) {
        m_transferPos += HidReport::BlockSize;
        if (m_transferPos + HidReport::BlockSize < m_transferSize) {
            requestBlock();
        } else {
            m_transferState = DownloadLast;
            requestBlock(m_transferSize - m_transferPos);
        }
    }
    return true;
}

void DeviceLink::finishDownload()
{
    // A short reply left a gap that the image must not take as zeros.
    if (m_rxFilled.count(true) != m_transferSize) {
        transferError(TransferOutcome::BadReply);
        return;
    }
    if (m_readingBackup) {
        finishBackup();
        return;
    }
    qCDebug(lcDevice) << "Download Complete.";
    m_transferState = Idle;
    m_outcome = TransferOutcome::Completed;
    emit transferEnded();
    for (int i = 0; i < m_transferSize; ++i)
        m_image->setImageByte(i, m_rxBuffer.at(i));
    m_image->parseImage();
    emit downloadFinished();
    emit statusChanged(QStringLiteral("Download Complete"));
}

void DeviceLink::finishBackup()
{
    PresetImage unitPreset;
    for (int i = 0; i < m_transferSize; ++i)
        unitPreset.setImageByte(i, m_rxBuffer.at(i));
    unitPreset.parseImage();
    const BackupSink sink = std::move(m_backupSink);
    m_backupSink = nullptr;
    const bool kept = sink(unitPreset);
    qCDebug(lcDevice) << "Backup of the unit's preset kept:" << kept;
    // The sink may have closed the link.
    if (!isBusy())
        return;
    if (!kept) {
        transferError(TransferOutcome::BackupRefused);
        return;
    }
    m_readingBackup = false;
    m_progressBase = m_transferSize;
    beginWriting();
}

void DeviceLink::transferError(TransferOutcome cause)
{
    qCDebug(lcDevice) << "Transfer Error Occurred";
    m_dateTimePending = false;
    m_transferState = Idle;
    m_outcome = cause;
    m_backupSink = nullptr;
    emit transferEnded();
    // A failed backup read is a failed download; a refused backup is the
    // upload's own end.
    emit transferFailed(m_uploading || cause == TransferOutcome::BackupRefused, cause);
}

void DeviceLink::setProgress(int value)
{
    if (isBusy())
        emit progressChanged(m_progressBase + value);
}
