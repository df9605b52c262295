#include "support/ToolRun.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

ToolRun ToolRun::run(const QString &tool, const QString &package, const QStringList &arguments,
                     int timeoutMs)
{
    ToolRun result;
    const QString program =
        QFileInfo(tool).isAbsolute() ? tool : QStandardPaths::findExecutable(tool);
    const QString missing =
        QStringLiteral("%1 is not installed (Debian package %2)").arg(tool, package);
    if (program.isEmpty() || !QFileInfo(program).isExecutable()) {
        result.problem = missing;
        return result;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        result.problem = QStringLiteral("%1 did not start: %2").arg(missing, process.errorString());
        return result;
    }
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        result.problem = QStringLiteral("%1 (package %2) did not finish").arg(tool, package);
        return result;
    }
    result.ran = true;
    result.exitCode = process.exitCode();
    result.output = process.readAll().trimmed();
    return result;
}
