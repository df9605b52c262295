#pragma once

#include "core/Version.h"

#include <QString>
#include <QStringList>

// The file the preset in the window was opened from or last saved to, and
// what follows from it: the window title and the folder the file dialogs
// start in. A new or downloaded preset has no file.
class PresetDocument
{
public:
    static QString programTitle()
    {
        return QStringLiteral("Valdane RSX-4 Cuesmith v") + QLatin1String(Version::Text);
    }

    const QString &filePath() const { return m_filePath; }
    bool hasFile() const { return !m_filePath.isEmpty(); }
    void setFilePath(const QString &path);
    void clearFilePath() { m_filePath.clear(); }

    // The program title, followed by " - " and the file's name when there is a
    // file, with the window-modified placeholder "[*]" at the end.
    QString windowTitle() const;
    // The folder of the current file, else of the newest of `recentFiles`
    // whose folder still exists, else the home folder.
    QString dialogFolder(const QStringList &recentFiles) const;

private:
    QString m_filePath;
};
