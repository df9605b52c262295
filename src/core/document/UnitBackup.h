#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class PresetImage;

// The presets read from units just before an upload overwrote them, kept as
// preset files in one folder so that any of them can be opened and sent back.
// Files are named after the local time they were taken
// (rsx4-YYYYMMDD-HHMMSS.rsx4pre, "-2", "-3" ... when that name is taken); a
// preset equal to the newest backup is not written again, and only the newest
// Kept files stay. Other files in the folder are never touched.
class UnitBackup
{
public:
    static constexpr int Kept = 50;

    enum class Result {
        Written,
        // Equal to the newest backup, which stands for it.
        Unchanged,
        Failed,
    };

    // cuesmith/backups under the user's data folder (~/.local/share on Linux).
    static QString defaultFolder();

    explicit UnitBackup(const QString &folder = defaultFolder());

    const QString &folder() const { return m_folder; }
    void setFolder(const QString &folder) { m_folder = folder; }
    // Where the names' time comes from: the local time unless set.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    // Creates the folder when missing; false when it cannot be.
    bool makeFolder() const;
    // The backup files, newest first.
    QStringList files() const;

    // Writes `unitPreset` (built here, the caller's copy is left alone) as a
    // backup, atomically, and then deletes all but the newest Kept.
    Result keep(const PresetImage &unitPreset);
    // After keep(): the file written or found equal, or that could not be written.
    const QString &lastPath() const { return m_lastPath; }
    // After a failed keep(): why, for the user.
    const QString &lastError() const { return m_lastError; }

private:
    QString freeName(const QDateTime &time) const;

    QString m_folder;
    std::function<QDateTime()> m_clock;
    QString m_lastPath;
    QString m_lastError;
};
