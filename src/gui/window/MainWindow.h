#pragma once

#include "core/document/PresetDocument.h"
#include "core/document/RecentFiles.h"
#include "core/events/EventStore.h"
#include "core/preset/PresetImage.h"
#include "gui/window/Navigation.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

class QAction;
class QLineEdit;
class QMenu;
class QStackedWidget;
class GeneralPage;
class GpioPage;
class MidiPage;
class PresetHistory;
class RecentFilesMenu;
class DeviceLinkPanel;
class EventEditor;
class SlotListPanel;
class FunctionTree;

// The one window of the program. It owns the preset being edited and moves it
// between the pages, preset files and the device link; the pages only ever see
// the preset through it.
//
// The preset behaves as a document: it remembers its file, every user edit is
// an undo step, and an edit held in no file and not in the unit is asked about
// before New, Open, Download or Quit would lose it.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // `arguments` is the program's argument list: "-devMode" as the first
    // argument after the program name, and a preset file to open once the
    // event loop runs (see CommandLine).
    explicit MainWindow(const QStringList &arguments, QWidget *parent = nullptr);
    ~MainWindow() override;

    PresetImage &preset() { return presetImage; }
    const PresetImage &preset() const { return presetImage; }
    SlotListKind selectedKind() const { return navigation.kind(); }
    int selectedList() const { return navigation.list(); }
    int selectedSlot() const { return currentSlot; }
    bool isDevMode() const { return devMode; }

public slots:
    void onFunctionSelected(SlotListKind kind, int index);
    void onGpiConfigChanged();
    void onRelayConfigChanged();
    void onItemSlotChanged(int currentSlot);
    void onClearSlotRequest();
    void onStoreSlotRequest();
    void onCommsStatusChange(QString text);
    void onCommsRequestDownload();
    void onCommsRequestUpload();
    void requestRedraw();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    void menuNew();
    void menuOpen();
    void menuOpenBackup();
    void menuSave();
    void menuSaveAs();
    void menuQuit();
    void menuShowMap();
    void menuAbout();
    void applyNameChange();
    void onNameChanged();

private:
    void buildConfigPages();
    void buildLayout();
    void createMenus();
    void makeConnections();

    // Document steps; a false return means the user cancelled or the step
    // failed, and whoever asked goes no further.
    bool maybeSave();
    // After the unsaved-changes question, a file chosen in `folder`.
    void openWithDialog(const QString &title, const QString &folder);
    // Asked before the unsaved-changes question: quitting mid-upload leaves
    // the unit with part of a preset.
    bool mayQuitDuringUpload();
    // Opens with every notice and warning; a failed file leaves the recent list.
    void openFile(const QString &path);
    // Reads and judges the file, with its version notices; false when refused.
    bool loadPresetFile(const QString &path);
    bool savePresetFile(const QString &path);
    bool saveWithDialog();
    // To the current file, or through the dialog when there is none.
    bool saveToCurrentFile();
    // A preset now in place that matches `path` (none: no file) and needs no save.
    void startOver(const QString &path);
    void updateTitle();

    // Every user edit that reaches the model or waits in a page becomes an
    // undo step: the preset as it is with the waiting page edits applied.
    enum MergeId { NoMerge = -1, NameMerge = 1, DescriptionMerge };
    void recordEdit(const QString &text, int mergeId = NoMerge);
    void restorePreset(const PresetImage &preset);

    // Page transfers. The General and MIDI pages keep their edits until they
    // are applied; every view is refilled from the model after the model
    // changed under it.
    void applyPages();
    void applyMidiPage();
    void applyGeneralPage();
    void loadGeneralPage();
    void loadMidiPage();
    void reloadViews();

    PresetImage presetImage;
    // The preset as the running upload sends it.
    PresetImage uploadedPreset;
    PresetDocument presetDocument;
    RecentFiles recentFiles;
    PresetHistory *history = nullptr;

    Navigation navigation;
    // No slot until the slot list reports one.
    int currentSlot = -1;
    bool devMode = false;

    FunctionTree *tree = nullptr;
    DeviceLinkPanel *comms = nullptr;
    QLineEdit *titleLine = nullptr;
    QStackedWidget *pageStack = nullptr;

    QWidget *logoPanel = nullptr;
    GeneralPage *generalPage = nullptr;
    GpioPage *gpioPage = nullptr;
    MidiPage *midiPage = nullptr;
    // Holds the slot list above the detail editor.
    QWidget *eventPage = nullptr;
    SlotListPanel *slotList = nullptr;
    EventEditor *detailEditor = nullptr;

    QMenu *fileMenu = nullptr;
    QMenu *editMenu = nullptr;
    RecentFilesMenu *recentMenu = nullptr;
    QMenu *viewMenu = nullptr;
    QMenu *helpMenu = nullptr;
    QAction *newAction = nullptr;
    QAction *openAction = nullptr;
    QAction *openBackupAction = nullptr;
    QAction *saveAction = nullptr;
    QAction *saveAsAction = nullptr;
    QAction *undoAction = nullptr;
    QAction *redoAction = nullptr;
    QAction *quitAction = nullptr;
    QAction *showMapAction = nullptr;
    QAction *aboutAction = nullptr;
};
