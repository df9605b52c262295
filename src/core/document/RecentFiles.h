#pragma once

#include <QString>
#include <QStringList>

// The preset files last opened or saved, newest first, kept between runs with
// QSettings. Read afresh on every use, so that two running windows add to one
// list instead of overwriting each other's entries.
class RecentFiles
{
public:
    static constexpr int MaxFiles = 8;

    QStringList files() const;
    // Puts the file first, taking out an older entry for it and the oldest
    // entry beyond MaxFiles.
    void add(const QString &path);
    void remove(const QString &path);

private:
    void store(const QStringList &files);
};
