#include "cli/UnitSession.h"

#include "core/device/UsbIdentity.h"
#include "core/preset/PresetImage.h"

#include <QElapsedTimer>

#include <hidapi.h>
#include <tuple>

QVector<UnitSession::Unit> UnitSession::units()
{
    QVector<Unit> found;
    hid_device_info *devices = hid_enumerate(UsbIdentity::VendorId, UsbIdentity::ProductId);
    for (hid_device_info *d = devices; d; d = d->next)
        found.append({QString::fromLocal8Bit(d->path),
                      d->serial_number ? QString::fromWCharArray(d->serial_number) : QString()});
    hid_free_enumeration(devices);
    return found;
}

UnitSession::UnitSession(const HidAccess &access, int replyTimeout)
    : m_access(access), m_timeout(replyTimeout)
{
    QObject::connect(
        &m_deviceLink, &DeviceLink::warning,
        [this](const QString &, const QString &warningText) { m_warnings << warningText; });
    QObject::connect(&m_deviceLink, &DeviceLink::transferStarted, [this](int maximum) {
        m_progressMaximum = maximum;
        m_progressValue = 0;
    });
    QObject::connect(&m_deviceLink, &DeviceLink::progressChanged, [this](int value) {
        m_progressValue = value;
        ++m_progressCount;
        if (onProgress)
            onProgress(value, m_progressMaximum);
    });
}

UnitSession::~UnitSession()
{
    m_deviceLink.close();
}

QString UnitSession::noUnitMessage(const HidAccess &access)
{
    return access.verdict() == HidAccess::NoPermission
               ? QStringLiteral("an RSX-4 is plugged in, but this user has no permission to "
                                "open it")
               : QStringLiteral("no RSX-4 found");
}

UnitSession::Result UnitSession::fail(Result result, const QString &message)
{
    m_text = message;
    return result;
}

UnitSession::Result UnitSession::open(const QString &path, bool allStrings)
{
    m_unitPath = path;
    if (m_unitPath.isEmpty()) {
        const QVector<Unit> present = units();
        if (present.isEmpty())
            return fail(Result::NoUnit, noUnitMessage(m_access));
        m_unitPath = present.first().path;
    }
    // A node the access check knows and this user may not open is a
    // permission problem, not a missing unit.
    bool known = false;
    for (const HidAccess::Node &node : m_access.units()) {
        if (node.path == m_unitPath && !node.accessible)
            return fail(Result::NoPermission,
                        QStringLiteral("%1: no permission to open the unit (is the udev rule "
                                       "60-rsx4.rules installed?)")
                            .arg(m_unitPath));
        known = known || node.path == m_unitPath;
    }
    if (!m_deviceLink.openPath(m_unitPath))
        return fail(Result::NoAccess,
                    known ? QStringLiteral("%1: the unit cannot be opened").arg(m_unitPath)
                          : QStringLiteral("%1: no RSX-4 there").arg(m_unitPath));
    return wait([this, allStrings] {
        return allStrings ? m_deviceLink.firmwareExchangeDone()
                          : m_deviceLink.firmwareStrings().first() !=
                                DeviceLink::defaultFirmwareStrings().first();
    });
}

UnitSession::Result UnitSession::wait(const std::function<bool()> &done)
{
    // One deadline per reply: a report that answers nothing (a unit may send
    // others at any time) brings no string and no progress, so it buys no
    // time. The link asks again for the name after every read, so a request
    // sent is no sign of an answer.
    const auto answered = [this] {
        return std::make_tuple(m_progressCount, m_deviceLink.firmwareStrings(),
                               m_deviceLink.expectedStringCount(),
                               m_deviceLink.firmwareExchangeDone(),
                               m_deviceLink.currentTransferState(), m_deviceLink.isBusy());
    };
    auto last = answered();
    QElapsedTimer sinceAnswer;
    sinceAnswer.start();
    while (!done()) {
        const qint64 left = m_timeout - sinceAnswer.elapsed();
        const int read = left > 0 ? m_deviceLink.step(int(left)) : 0;
        if (read < 0)
            return fail(Result::Failed,
                        QStringLiteral("%1: the unit went offline").arg(m_unitPath));
        if (read == 0)
            return fail(Result::TimedOut, QStringLiteral("%1: no reply from the unit for %2 s")
                                              .arg(m_unitPath)
                                              .arg(m_timeout / 1000.0));
        if (answered() != last) {
            last = answered();
            sinceAnswer.restart();
        }
    }
    return Result::Ok;
}

UnitSession::Result UnitSession::upload(PresetImage &image, const DeviceLink::BackupSink &backup)
{
    return start(m_deviceLink.startUpload(&image, backup));
}

UnitSession::Result UnitSession::download(PresetImage &image)
{
    return start(m_deviceLink.startDownload(&image));
}

UnitSession::Result UnitSession::start(bool started)
{
    // A warning before a transfer that did not start is its refusal; one
    // before a transfer that goes on is for the user to read.
    const QStringList said = m_warnings;
    m_warnings.clear();
    if (!started && m_deviceLink.lastOutcome() != DeviceLink::TransferOutcome::Completed)
        return fail(Result::Refused,
                    said.isEmpty() ? QStringLiteral("the transfer did not start") : said.last());
    for (const QString &warning : said) {
        if (onWarning)
            onWarning(warning);
    }
    return finishTransfer();
}

UnitSession::Result UnitSession::finishTransfer()
{
    const Result waited = wait([this] { return !m_deviceLink.isBusy(); });
    if (waited == Result::TimedOut) {
        m_deviceLink.close();
        return waited;
    }
    using Outcome = DeviceLink::TransferOutcome;
    switch (m_deviceLink.lastOutcome()) {
    case Outcome::Completed:
        // A download reports each block before it arrives: the last one is
        // never counted.
        if (onProgress && m_progressValue < m_progressMaximum)
            onProgress(m_progressMaximum, m_progressMaximum);
        return Result::Ok;
    case Outcome::UnitError:
        return fail(Result::Failed,
                    QStringLiteral("%1: the unit refused a block (status 0xFF)").arg(m_unitPath));
    case Outcome::BadReply:
        return fail(Result::Failed,
                    QStringLiteral("%1: the unit sent a block that does not belong to the preset")
                        .arg(m_unitPath));
    default:
        return fail(
            Result::Failed,
            QStringLiteral("%1: the unit went offline during the transfer").arg(m_unitPath));
    }
}
