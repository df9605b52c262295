#pragma once

#include "PresetImage.h"

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
class commsWidget;
class detailsitems;
class eventItems;
class functionTree;

// The one window of the program. It owns the preset being edited and moves it
// between the pages, preset files and the device link; the pages only ever see
// the preset through it.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // The pages of pageStack, in stack order.
    enum PageIndex { LogoIndex, GeneralIndex, GpioIndex, MidiIndex, EventIndex };

    // `arguments` is the program's argument list; only "-devMode" as the first
    // argument after the program name is looked at.
    explicit MainWindow(const QStringList &arguments, QWidget *parent = nullptr);
    ~MainWindow() override;

    PresetImage &preset() { return presetImage; }
    const PresetImage &preset() const { return presetImage; }
    int selectedKind() const { return currentKind; }
    int selectedList() const { return currentList; }
    int selectedSlot() const { return currentSlot; }
    bool isDevMode() const { return devMode; }

public slots:
    void onFunctionTreeChanged(QString text);
    void onGpiConfigChanged();
    void onRelayConfigChanged();
    void onItemSlotChanged(int currentSlot);
    void onClearSlotRequest();
    void onStoreSlotRequest();
    void onCommsStatusChange(QString text);
    void onCommsRequestDownload();
    void onCommsRequestUpload();
    void requestRedraw();

private slots:
    void menuNew();
    void menuOpen();
    void menuSave();
    void menuQuit();
    void menuShowMap();
    void menuAbout();
    void applyNameChange();
    void onNameChanged();

private:
    void applyLook();
    void buildConfigPages();
    QWidget *buildLogoPanel();
    void buildLayout();
    void createMenus();
    void makeConnections();

    void selectFunction(const QString &text);
    void setTitle(const QString &text);

    bool openPresetFile();
    void savePresetFile();

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

    QStringList inputNames;
    QStringList switchNames;
    QStringList macroNames;

    int currentKind = 0;
    int currentList = 0;
    // No slot until the slot list reports one.
    int currentSlot = -1;
    QString titleText;
    bool midiPageLoaded = false;
    bool devMode = false;

    functionTree *tree = nullptr;
    commsWidget *comms = nullptr;
    QLineEdit *titleLine = nullptr;
    QStackedWidget *pageStack = nullptr;

    QWidget *logoPanel = nullptr;
    GeneralPage *generalPage = nullptr;
    GpioPage *gpioPage = nullptr;
    MidiPage *midiPage = nullptr;
    // Holds the slot list above the detail editor.
    QWidget *eventPage = nullptr;
    eventItems *slotList = nullptr;
    detailsitems *detailEditor = nullptr;

    QMenu *fileMenu = nullptr;
    QMenu *viewMenu = nullptr;
    QMenu *helpMenu = nullptr;
    QAction *newAction = nullptr;
    QAction *openAction = nullptr;
    QAction *saveAction = nullptr;
    QAction *quitAction = nullptr;
    QAction *showMapAction = nullptr;
    QAction *aboutAction = nullptr;
};
