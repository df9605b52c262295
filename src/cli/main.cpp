#include "cli/CommandRunner.h"
#include "core/Version.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("cuesmith-cli"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(Version::Text));
    QTextStream out(stdout);
    QTextStream err(stderr);
    CommandRunner runner(out, err);
    runner.setProgressShown(isatty(STDERR_FILENO));
    return runner.run(QCoreApplication::arguments());
}
