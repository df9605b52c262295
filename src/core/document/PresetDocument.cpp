#include "core/document/PresetDocument.h"

#include <QDir>
#include <QFileInfo>

void PresetDocument::setFilePath(const QString &path)
{
    m_filePath = QFileInfo(path).absoluteFilePath();
}

QString PresetDocument::windowTitle() const
{
    QString title = programTitle();
    if (hasFile())
        title += QStringLiteral(" - ") + QFileInfo(m_filePath).fileName();
    return title + QStringLiteral("[*]");
}

QString PresetDocument::dialogFolder(const QStringList &recentFiles) const
{
    QStringList candidates = recentFiles;
    if (hasFile())
        candidates.prepend(m_filePath);
    for (const QString &file : qAsConst(candidates)) {
        const QFileInfo folder(QFileInfo(file).absolutePath());
        if (folder.isDir())
            return folder.absoluteFilePath();
    }
    return QDir::homePath();
}
