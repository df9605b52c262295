#include "gui/window/DocumentActions.h"

#include "core/document/PresetFile.h"
#include "core/document/UnitBackup.h"
#include "core/preset/PresetImage.h"
#include "gui/window/PresetHistory.h"
#include "gui/window/RecentFilesMenu.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

DocumentActions::DocumentActions(QMainWindow *window, PresetImage &preset, PresetHistory *history)
    : QObject(window), m_window(window), m_presetImage(preset), m_history(history)
{
}

void DocumentActions::fillFileMenu(QMenu *menu, UnitBackup &backup)
{
    QAction *newAction = addAction(menu, tr("New Preset"), ":/res/empty-2.png", QKeySequence::New);
    connect(newAction, &QAction::triggered, this, &DocumentActions::newPreset);
    menu->addSeparator();
    QAction *openAction =
        addAction(menu, tr("Open Preset..."), ":/res/open-2.png", QKeySequence::Open);
    connect(openAction, &QAction::triggered, this, &DocumentActions::openPreset);

    m_recentMenu = new RecentFilesMenu(m_recentFiles, menu);
    connect(m_recentMenu, &RecentFilesMenu::fileChosen, this, &DocumentActions::openAfterAsking);
    menu->addMenu(m_recentMenu);

    QAction *backupAction =
        addAction(menu, tr("Open Unit Backup..."), nullptr, QKeySequence::UnknownKey);
    connect(backupAction, &QAction::triggered, this, [this, &backup] { openBackup(backup); });
    QAction *saveAction = addAction(menu, tr("Save Preset"), nullptr, QKeySequence::Save);
    connect(saveAction, &QAction::triggered, this, &DocumentActions::save);
    QAction *saveAsAction =
        addAction(menu, tr("Save Preset As..."), ":/res/save as-2.png", QKeySequence::SaveAs);
    // Some desktops bind no key to Save As; keyboard users still need one.
    if (saveAsAction->shortcuts().isEmpty())
        saveAsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    connect(saveAsAction, &QAction::triggered, this, &DocumentActions::saveAs);
}

QAction *DocumentActions::addAction(QMenu *menu, const QString &text, const char *icon,
                                    QKeySequence::StandardKey shortcut)
{
    auto *action = new QAction(text, m_window);
    if (icon)
        action->setIcon(QIcon(icon));
    if (shortcut != QKeySequence::UnknownKey)
        action->setShortcuts(shortcut);
    menu->addAction(action);
    return action;
}

void DocumentActions::newPreset()
{
    if (!maybeSave())
        return;
    m_presetImage.clearModel();
    m_presetImage.resetToDefaults();
    emit replaced();
    startOver(QString());
}

void DocumentActions::openPreset()
{
    openWithDialog(tr("Open Preset File"), m_presetDocument.dialogFolder(m_recentFiles.files()));
}

void DocumentActions::openBackup(UnitBackup &backup)
{
    backup.makeFolder();
    openWithDialog(tr("Open Unit Backup"), backup.folder());
}

void DocumentActions::openWithDialog(const QString &title, const QString &folder)
{
    if (!maybeSave())
        return;
    const QString path =
        QFileDialog::getOpenFileName(m_window, title, folder, tr("RSX-4 Preset Files (*.rsx4pre)"));
    if (!path.isEmpty())
        openFile(path);
}

void DocumentActions::openAfterAsking(const QString &path)
{
    if (maybeSave())
        openFile(path);
}

bool DocumentActions::save()
{
    return m_presetDocument.hasFile() ? savePresetFile(m_presetDocument.filePath()) : saveAs();
}

bool DocumentActions::saveAs()
{
    QFileDialog dialog(m_window, tr("Save Preset File"),
                       m_presetDocument.dialogFolder(m_recentFiles.files()),
                       tr("RSX-4 Preset Files (*.rsx4pre)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The open dialog shows only this suffix: a file saved without it could
    // not be opened again from there.
    dialog.setDefaultSuffix(QStringLiteral("rsx4pre"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return savePresetFile(dialog.selectedFiles().first());
}

bool DocumentActions::maybeSave()
{
    if (!m_history->isModified())
        return true;
    QMessageBox box(QMessageBox::Warning, tr("Unsaved Changes"),
                    tr("The preset has unsaved changes. Save them before continuing?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_window);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void DocumentActions::openFile(const QString &path)
{
    if (!loadPresetFile(path)) {
        QMessageBox::warning(m_window, tr("File Operation"), tr("Unable to Open Preset File"));
        m_recentFiles.remove(path);
        m_recentMenu->refresh();
        return;
    }
    m_presetImage.parseImage();
    emit replaced();
    startOver(path);
    rememberFile(path);
}

QString DocumentActions::draggedPreset(const QMimeData *mime)
{
    const QList<QUrl> urls = mime ? mime->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QString path = urls.first().toLocalFile();
    return path.endsWith(QLatin1String(".rsx4pre"), Qt::CaseInsensitive) ? path : QString();
}

bool DocumentActions::loadPresetFile(const QString &path)
{
    QFile file(path);
    if (!PresetFile::openRegular(file))
        return false;

    // The file is read whole before anything is decided, so a refused file
    // leaves the current preset as it was.
    PresetFile preset;
    if (!preset.read(file, m_presetImage.imageSize()))
        return false;
    const PresetFile::Verdict verdict = preset.verdict();
    if (PresetFile::showsEarlierNotice(verdict))
        QMessageBox::information(m_window, tr("File Operation"), PresetFile::earlierNotice());
    if (PresetFile::showsLaterNotice(verdict))
        QMessageBox::information(m_window, tr("File Operation"), PresetFile::laterNotice());
    if (!PresetFile::accepts(verdict))
        return false;
    preset.applyTo(m_presetImage);
    return true;
}

bool DocumentActions::savePresetFile(const QString &path)
{
    emit writing();
    m_presetImage.buildImage();
    if (!PresetFile::save(path, m_presetImage)) {
        QMessageBox::warning(m_window, tr("File Operation"), tr("Unable to Save Preset File"));
        return false;
    }
    m_presetDocument.setFilePath(path);
    m_history->setClean();
    rememberFile(path);
    updateTitle();
    return true;
}

void DocumentActions::rememberFile(const QString &path)
{
    m_recentFiles.add(path);
    m_recentMenu->refresh();
}

void DocumentActions::startOver(const QString &path)
{
    m_history->reset(m_presetImage);
    if (path.isEmpty())
        m_presetDocument.clearFilePath();
    else
        m_presetDocument.setFilePath(path);
    updateTitle();
}

void DocumentActions::updateTitle()
{
    m_window->setWindowTitle(m_presetDocument.windowTitle());
    m_window->setWindowModified(m_history->isModified());
}
