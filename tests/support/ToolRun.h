#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// One run of an outside program that a test relies on. A tool that is not
// installed, does not start or does not finish is a failure naming the Debian
// package that brings it, never a pass: scripts/deps.sh installs them all.
struct ToolRun
{
    bool ran = false;
    int exitCode = -1;
    // Standard output and error, merged.
    QByteArray output;
    // Why it did not run, for QVERIFY2.
    QString problem;

    static ToolRun run(const QString &tool, const QString &package, const QStringList &arguments,
                       int timeoutMs = 60000);
};
