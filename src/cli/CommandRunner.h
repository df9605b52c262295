#pragma once

#include "core/device/HidAccess.h"

#include <QList>
#include <QStringList>

class QCommandLineParser;
class QTextStream;
class PresetImage;
class UnitSession;

// The commands of cuesmith-cli. Results go to `out`, diagnostics to `err`;
// run() returns the exit status.
class CommandRunner
{
public:
    enum Status {
        Success = 0,
        Differences = 1, // diff found differences, check found problems
        UsageError = 2,
        FileError = 3,     // cannot be read, refused, or cannot be written
        NoUnit = 4,        // no unit found, or it cannot be opened
        TransferError = 5, // refused, failed or timed out
        VerifyError = 6,   // the unit holds other bytes than were sent
    };

    CommandRunner(QTextStream &out, QTextStream &err);

    // Progress of a transfer on `err`; on for a terminal.
    void setProgressShown(bool shown) { progressShown = shown; }
    // How long a transfer waits for any one reply of the unit.
    void setReplyTimeout(int milliseconds) { replyTimeout = milliseconds; }
    // Where units this user may not open are recognised (sysfs and /dev).
    void setAccessCheck(const HidAccess &check) { accessCheck = check; }

    // `arguments` begins with the program's name.
    int run(const QStringList &arguments);

private:
    struct Command
    {
        QString name;
        QStringList arguments; // positional, in order
        QString description;
        QStringList options; // names of the options it takes
        int (CommandRunner::*handler)(QCommandLineParser &parser);
    };
    static const QList<Command> &commands();

    QString usage() const;
    int fail(int status, const QString &message);
    // Ends a progress line still open, so that the next text starts a line.
    void endProgress();
    bool loadPreset(const QString &path, PresetImage &image, bool settle = true);
    bool writeOutput(const QString &path, const QByteArray &data);

    int show(QCommandLineParser &parser);
    int exportJson(QCommandLineParser &parser);
    int importJson(QCommandLineParser &parser);
    int diff(QCommandLineParser &parser);
    int check(QCommandLineParser &parser);
    int list(QCommandLineParser &parser);
    int info(QCommandLineParser &parser);
    int download(QCommandLineParser &parser);
    int upload(QCommandLineParser &parser);
    // Whether `device` (empty: the first unit found) is a node the access check
    // knows as an RSX-4; if not, says so.
    bool isUnitNode(const QString &device);
    // Exit status and message for a unit session that did not succeed.
    int sessionFailed(const UnitSession &session, int result);
    void attach(UnitSession &session, const QString &verb);

    QTextStream &out;
    QTextStream &err;
    bool progressShown = false;
    bool progressOpen = false;
    int replyTimeout = 2000;
    HidAccess accessCheck;
};
