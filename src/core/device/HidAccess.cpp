#include "core/device/HidAccess.h"

#include "core/device/UsbIdentity.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <utility>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

constexpr unsigned UsbBus = 0x0003;

// HID_ID=0003:000004D8:0000F29E names the bus, vendor and product in hex.
bool isUnit(const QString &ueventPath)
{
    QFile file(ueventPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    static const QRegularExpression hidId(
        QStringLiteral("^HID_ID=([0-9A-Fa-f]+):([0-9A-Fa-f]+):([0-9A-Fa-f]+)\\s*$"),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = hidId.match(QString::fromLatin1(file.readAll()));
    if (!m.hasMatch())
        return false;
    return m.captured(1).toUInt(nullptr, 16) == UsbBus &&
           m.captured(2).toUInt(nullptr, 16) == UsbIdentity::VendorId &&
           m.captured(3).toUInt(nullptr, 16) == UsbIdentity::ProductId;
}

// Only an attempt tells: access() would say yes to root for a node that
// cannot be opened at all, and ACLs granted by udev escape the mode bits.
bool mayOpen(const QString &path)
{
#ifdef Q_OS_LINUX
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
#else
    Q_UNUSED(path);
    return false;
#endif
}

} // namespace

HidAccess::HidAccess(QString sysRoot, QString devRoot)
    : m_sysRoot(std::move(sysRoot)), m_devRoot(std::move(devRoot))
{
}

QVector<HidAccess::Node> HidAccess::units() const
{
    QVector<Node> found;
#ifdef Q_OS_LINUX
    const QDir classDir(m_sysRoot + QStringLiteral("/class/hidraw"));
    QStringList names = classDir.entryList({QStringLiteral("hidraw*")},
                                           QDir::Dirs | QDir::System | QDir::NoDotAndDotDot);
    auto number = [](const QString &name) { return name.mid(6).toInt(); };
    std::sort(names.begin(), names.end(),
              [&](const QString &a, const QString &b) { return number(a) < number(b); });
    for (const QString &name : names) {
        if (!isUnit(classDir.filePath(name + QStringLiteral("/device/uevent"))))
            continue;
        const QString node = m_devRoot + QLatin1Char('/') + name;
        found.append({node, mayOpen(node)});
    }
#endif
    return found;
}

HidAccess::Verdict HidAccess::verdict() const
{
#ifdef Q_OS_LINUX
    const QVector<Node> present = units();
    if (present.isEmpty())
        return Absent;
    const bool any = std::any_of(present.begin(), present.end(),
                                 [](const Node &node) { return node.accessible; });
    return any ? Accessible : NoPermission;
#else
    return Unknown;
#endif
}
