#pragma once

#include <QMenu>

class RecentFiles;

// "Open Recent": one entry per recent file, newest first, numbered for the
// keyboard. Disabled while the list is empty.
class RecentFilesMenu : public QMenu
{
    Q_OBJECT
public:
    RecentFilesMenu(const RecentFiles &files, QWidget *parent = nullptr);

    // Rebuilds the entries; call after the list changed.
    void refresh();

signals:
    void fileChosen(const QString &path);

private:
    const RecentFiles &m_recentFiles;
};
