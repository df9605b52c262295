#pragma once

#include "core/document/PresetDocument.h"
#include "core/document/RecentFiles.h"

#include <QKeySequence>
#include <QObject>
#include <QString>

class PresetHistory;
class PresetImage;
class QAction;
class QMainWindow;
class QMenu;
class QMimeData;
class RecentFilesMenu;
class UnitBackup;

// The preset as a document: the file it came from, the recent files, and the
// steps that open, save and start over, with their questions and warnings.
// The window's pages hold edits of their own, so before the preset is written
// the window is asked to apply them, and after it was replaced to reload them.
class DocumentActions : public QObject
{
    Q_OBJECT
public:
    DocumentActions(QMainWindow *window, PresetImage &preset, PresetHistory *history);

    // The File menu's entries up to "Save Preset As...", "Open Recent" among
    // them; the window's own entries follow.
    void fillFileMenu(QMenu *menu, UnitBackup &backup);

    void newPreset();
    void openPreset();
    // Made here when no upload has kept a backup yet, so the dialog does not
    // fall back to some other folder.
    void openBackup(UnitBackup &backup);
    bool save();
    bool saveAs();
    // After the unsaved-changes question; opened with every notice and warning.
    void openAfterAsking(const QString &path);
    void openFile(const QString &path);
    // The one local preset file that a drag carries, or nothing.
    static QString draggedPreset(const QMimeData *mime);

    // A false return means the user cancelled or the save failed, and whoever
    // asked goes no further.
    bool maybeSave();
    // A preset now in place that matches `path` (none: no file) and needs no save.
    void startOver(const QString &path);
    void updateTitle();

signals:
    // The pages' waiting edits belong in the preset before it is written.
    void writing();
    // The preset was replaced: every view is refilled from it.
    void replaced();

private:
    QAction *addAction(QMenu *menu, const QString &text, const char *icon,
                       QKeySequence::StandardKey shortcut);
    // After the unsaved-changes question, a file chosen in `folder`.
    void openWithDialog(const QString &title, const QString &folder);
    // Reads and judges the file, with its version notices; false when refused.
    bool loadPresetFile(const QString &path);
    bool savePresetFile(const QString &path);
    void rememberFile(const QString &path);

    QMainWindow *m_window;
    PresetImage &m_presetImage;
    PresetHistory *m_history;
    PresetDocument m_presetDocument;
    RecentFiles m_recentFiles;
    RecentFilesMenu *m_recentMenu = nullptr;
};
