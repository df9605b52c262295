#pragma once

#include <QString>
#include <QVector>

// Whether an RSX-4 is plugged in and whether this user may open it, read from
// sysfs without opening the unit through hidapi. A unit that hid_open cannot
// open is most often one the user has no access to (no udev rule): this tells
// that case from an absent unit. The roots are arguments so that a test can
// lay out a tree of its own.
class HidAccess
{
public:
    enum Verdict {
        // Not a Linux system: there is nothing to look at.
        Unknown,
        Absent,
        Accessible,
        NoPermission,
    };

    struct Node
    {
        // The device node, such as "/dev/hidraw3".
        QString path;
        // Whether this user may open it for reading and writing.
        bool accessible = false;
    };

    explicit HidAccess(QString sysRoot = QStringLiteral("/sys"),
                       QString devRoot = QStringLiteral("/dev"));

    // Every RSX-4 present, in the order of their node numbers.
    QVector<Node> units() const;
    // Accessible when any present unit may be opened.
    Verdict verdict() const;

private:
    QString m_sysRoot;
    QString m_devRoot;
};
