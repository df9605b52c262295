#pragma once

#include "core/device/DeviceLink.h"
#include "core/device/HidAccess.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>

class PresetImage;

// One unit driven from the command line: the window's device link, stepped
// with blocking reads instead of its poll timer, so that each reply is handled
// as soon as it arrives and a silent unit is given up after a time-out.
class UnitSession
{
public:
    struct Unit
    {
        QString path;
        QString serial;
    };
    enum class Result { Ok, NoUnit, NoPermission, NoAccess, Refused, Failed, TimedOut };

    // Every RSX-4 that hidapi finds, in its order.
    static QVector<Unit> units();
    // Why none was found: none is plugged in, or this user may not open it.
    static QString noUnitMessage(const HidAccess &access);

    UnitSession(const HidAccess &access, int replyTimeout);
    ~UnitSession();

    // Opens the unit at `path`, or the first one found, and waits for its
    // name (string 1) or, with `allStrings`, for every firmware string.
    Result open(const QString &path, bool allStrings);
    // With `backup`, the unit's preset is read and handed to it first; nothing
    // is sent unless it returns true.
    Result upload(PresetImage &image, const DeviceLink::BackupSink &backup = {});
    Result download(PresetImage &image);

    // What went wrong, for the user.
    const QString &message() const { return m_text; }
    const QString &path() const { return m_unitPath; }
    const DeviceLink &link() const { return m_deviceLink; }

    // Warnings the window would show in a box, and transfer progress.
    std::function<void(const QString &)> onWarning;
    std::function<void(int value, int maximum)> onProgress;

private:
    Result start(bool started);
    Result wait(const std::function<bool()> &done);
    Result finishTransfer();
    Result fail(Result result, const QString &message);

    DeviceLink m_deviceLink;
    HidAccess m_access;
    int m_timeout;
    int m_progressMaximum = 0;
    int m_progressValue = 0;
    int m_progressCount = 0;
    QStringList m_warnings;
    QString m_text;
    QString m_unitPath;
};
