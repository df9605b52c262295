#pragma once

#include "cli/UnitSession.h"
#include "core/device/HidAccess.h"

#include <QList>
#include <QStringList>

class QCommandLineParser;
class QTextStream;
class PresetImage;

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
    void setProgressShown(bool shown) { m_progressShown = shown; }
    // How long a transfer waits for any one reply of the unit.
    void setReplyTimeout(int milliseconds) { m_replyTimeout = milliseconds; }
    // Where units this user may not open are recognised (sysfs and /dev).
    void setAccessCheck(const HidAccess &check) { m_accessCheck = check; }

    // `arguments` begins with the program's name.
    int run(const QStringList &arguments);

private:
    struct Command
    {
        QString name;
        QStringList arguments; // positional, in order
        QString description;
        QStringList options; // names of the options it takes
        Status (CommandRunner::*handler)(QCommandLineParser &parser);
    };
    static const QList<Command> &commands();

    QString usage() const;
    Status fail(Status status, const QString &message);
    // Ends a progress line still open, so that the next text starts a line.
    void endProgress();
    // Writes the version notices the window would show to `notes`, and keeps
    // them in `notices`; without `settle`, a preset file's model is exactly
    // what the file holds.
    bool loadPreset(const QString &path, PresetImage &image, QTextStream &notes,
                    QStringList &notices, bool settle);
    // Notices to `err`, the model settled as a save would leave it.
    bool loadPreset(const QString &path, PresetImage &image);
    bool writeOutput(const QString &path, const QByteArray &data);

    Status show(QCommandLineParser &parser);
    Status exportJson(QCommandLineParser &parser);
    Status importJson(QCommandLineParser &parser);
    Status diff(QCommandLineParser &parser);
    Status check(QCommandLineParser &parser);
    Status list(QCommandLineParser &parser);
    Status info(QCommandLineParser &parser);
    Status download(QCommandLineParser &parser);
    Status upload(QCommandLineParser &parser);
    // Whether `device` (empty: the first unit found) is a node the access check
    // knows as an RSX-4; if not, says so.
    bool isUnitNode(const QString &device);
    // Exit status and message for a unit session that did not succeed.
    Status sessionFailed(const UnitSession &session, UnitSession::Result result);
    void attach(UnitSession &session, const QString &verb);

    QTextStream &m_out;
    QTextStream &m_err;
    bool m_progressShown = false;
    bool m_progressOpen = false;
    int m_replyTimeout = 2000;
    HidAccess m_accessCheck;
};
