#pragma once

#include "core/events/EventStore.h"
#include "core/preset/PresetImage.h"
#include "gui/window/Navigation.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

class QAction;
class QLineEdit;
class QScrollArea;
class QStackedWidget;
class DeviceLinkPanel;
class DocumentActions;
class EventEditor;
class FunctionTree;
class GeneralPage;
class GpioPage;
class MidiPage;
class PresetHistory;
class SlotListPanel;
class TransferActions;

// The one window of the program. It owns the preset being edited and moves it
// between the pages, the document steps and the transfers; the pages only ever
// see the preset through it.
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

    PresetImage &preset() { return m_presetImage; }
    const PresetImage &preset() const { return m_presetImage; }
    SlotListKind selectedKind() const { return m_navigation.kind(); }
    int selectedList() const { return m_navigation.list(); }
    int selectedSlot() const { return m_currentSlot; }
    bool isDevMode() const { return m_devMode; }

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
    void menuQuit();
    void menuShowMap();
    void menuAbout();

private:
    void buildTitleLine();
    void buildPages();
    void buildLayout();
    void createMenus();
    // Status bar, icon, size and drops.
    void setUpFrame();
    void makeConnections();
    // F6 and Shift+F6: the tree, the page and the device-link panel in turn.

    // Every user edit that reaches the model or waits in a page becomes an
    // undo step: the preset as it is with the waiting page edits applied.
    enum MergeId { NoMerge = -1, NameMerge = 1, DescriptionMerge };
    void recordEdit(const QString &text, int mergeId = NoMerge);
    void restorePreset(const PresetImage &preset);

    // The General and MIDI pages keep their edits until they are applied;
    // every view is refilled from the model after the model changed under it.
    void applyPages();
    void reloadViews();

    PresetImage m_presetImage;
    PresetHistory *m_history = nullptr;
    DocumentActions *m_documents = nullptr;
    TransferActions *m_transfers = nullptr;

    Navigation m_navigation;
    // No slot until the slot list reports one.
    int m_currentSlot = -1;
    bool m_devMode = false;

    FunctionTree *m_tree = nullptr;
    DeviceLinkPanel *m_comms = nullptr;
    QLineEdit *m_titleLine = nullptr;
    QStackedWidget *m_pageStack = nullptr;
    // Holds the title line above the page stack.
    QScrollArea *m_pageScroll = nullptr;

    QWidget *m_logoPanel = nullptr;
    GeneralPage *m_generalPage = nullptr;
    GpioPage *m_gpioPage = nullptr;
    MidiPage *m_midiPage = nullptr;
    // Holds the slot list above the detail editor.
    QWidget *m_eventPage = nullptr;
    SlotListPanel *m_slotList = nullptr;
    EventEditor *m_detailEditor = nullptr;
};
