#include "core/document/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace {
const char *const Key = "recentFiles";

QSettings settings()
{
    return QSettings(QStringLiteral("Cuesmith"), QStringLiteral("Cuesmith"));
}
} // namespace

QStringList RecentFiles::files() const
{
    QStringList list = settings().value(Key).toStringList();
    list.removeAll(QString());
    return list.mid(0, MaxFiles);
}

void RecentFiles::add(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = files();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, MaxFiles));
}

void RecentFiles::remove(const QString &path)
{
    QStringList list = files();
    if (list.removeAll(QFileInfo(path).absoluteFilePath()) > 0)
        store(list);
}

void RecentFiles::store(const QStringList &files)
{
    settings().setValue(Key, files);
}
