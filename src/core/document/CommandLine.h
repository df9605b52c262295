#pragma once

#include <QString>
#include <QStringList>

// What the program's arguments ask for: developer mode ("-devMode" as the
// first argument after the program name, spelled exactly so) and one preset
// file to open at start. Every other argument is ignored, with one line each
// in problems() for standard error.
class CommandLine
{
public:
    explicit CommandLine(const QStringList &arguments);

    bool devMode() const { return m_devMode; }
    // Empty when no argument names an existing file.
    const QString &file() const { return m_file; }
    const QStringList &problems() const { return m_problems; }

private:
    bool m_devMode = false;
    QString m_file;
    QStringList m_problems;
};
