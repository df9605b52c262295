#include "gui/window/RecentFilesMenu.h"

#include "core/document/RecentFiles.h"

#include <QAction>
#include <QDir>

RecentFilesMenu::RecentFilesMenu(const RecentFiles &files, QWidget *parent)
    : QMenu(tr("Open Recent"), parent), m_recentFiles(files)
{
    refresh();
}

void RecentFilesMenu::refresh()
{
    // Deleted later: refresh() may run while one of these entries is
    // delivering its own trigger.
    for (QAction *old : actions()) {
        removeAction(old);
        old->deleteLater();
    }
    const QStringList files = m_recentFiles.files();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        // An ampersand in a path is a letter, not a mnemonic.
        const QString shown = QDir::toNativeSeparators(path).replace('&', QLatin1String("&&"));
        QAction *entry = addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        connect(entry, &QAction::triggered, this, [this, path] { emit fileChosen(path); });
    }
    setEnabled(!files.isEmpty());
}
