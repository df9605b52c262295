#include "gui/window/MainWindow.h"

#include "core/Version.h"
#include "core/document/CommandLine.h"
#include "core/document/PresetFile.h"
#include "core/events/EventStore.h"
#include "core/preset/FunctionNames.h"
#include "gui/device/DeviceLinkPanel.h"
#include "gui/events/EventEditor.h"
#include "gui/events/SlotListPanel.h"
#include "gui/pages/ComboTable.h"
#include "gui/pages/EepromMapWindow.h"
#include "gui/pages/GeneralPage.h"
#include "gui/pages/GpioPage.h"
#include "gui/pages/LogoPanel.h"
#include "gui/pages/MidiPage.h"
#include "gui/window/FunctionTree.h"
#include "gui/window/PresetHistory.h"
#include "gui/window/RecentFilesMenu.h"
#include "gui/window/Theme.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {
// The one local preset file that a drag carries, or nothing.
QString draggedPreset(const QMimeData *mime)
{
    const QList<QUrl> urls = mime ? mime->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QString path = urls.first().toLocalFile();
    return path.endsWith(QLatin1String(".rsx4pre"), Qt::CaseInsensitive) ? path : QString();
}
} // namespace

MainWindow::MainWindow(const QStringList &arguments, QWidget *parent) : QMainWindow(parent)
{
    const CommandLine commandLine(arguments);
    if (commandLine.devMode()) {
        qDebug("Dev Mode Enabled");
        devMode = true;
    }
    for (const QString &problem : commandLine.problems())
        qWarning("%s", qPrintable(problem));
    history = new PresetHistory(this);

    Theme::apply();

    tree = new FunctionTree;
    tree->setMinimumWidth(250);
    comms = new DeviceLinkPanel;
    pageStack = new QStackedWidget;
    pageStack->setObjectName("pageStack");

    titleLine = new QLineEdit;
    titleLine->setObjectName("titleLine");
    titleLine->setReadOnly(true);
    QFont titleFont = titleLine->font();
    titleFont.setPixelSize(14);
    titleFont.setBold(true);
    titleLine->setFont(titleFont);
    titleLine->setStyleSheet("border: 1px solid grey");

    buildConfigPages();
    for (QWidget *page :
         std::initializer_list<QWidget *>{logoPanel, generalPage, gpioPage, midiPage, eventPage})
        pageStack->addWidget(page);

    buildLayout();
    createMenus();

    statusBar()->hide();
    statusBar()->showMessage(tr("RSX-4 Offline"));

    setWindowIcon(QIcon(":/res/ValdaneLogo.png"));
    setMinimumWidth(1000);
    // Where the window system does not honour maximizing, the window would
    // open at its size hint with the pages cut off; this fills the screen either way.
    setGeometry(screen()->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    setAcceptDrops(true);

    titleLine->setText(navigation.title());
    makeConnections();

    loadGeneralPage();
    loadMidiPage();

    history->reset(presetImage);
    connect(history, &PresetHistory::restoreRequested, this, &MainWindow::restorePreset);
    connect(history->stack(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    updateTitle();

    // Opened from the event loop, so that its notices show over the window.
    if (!commandLine.file().isEmpty())
        QTimer::singleShot(0, this, [this, file = commandLine.file()] { openFile(file); });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildConfigPages()
{
    logoPanel = new LogoPanel;
    generalPage = new GeneralPage(FunctionNames::macroNames());
    gpioPage = new GpioPage(presetImage);
    // The routing grids take their colours from the window's palette.
    midiPage = new MidiPage(this);

    eventPage = new QWidget;
    auto *eventBox = new QVBoxLayout(eventPage);
    eventBox->setContentsMargins(0, 0, 0, 0);
    slotList = new SlotListPanel;
    detailEditor = new EventEditor;
    eventBox->addWidget(slotList);
    eventBox->addWidget(detailEditor);

    connect(gpioPage->gpiTable(), &ComboTable::tableChanged, this, &MainWindow::onGpiConfigChanged);
    connect(gpioPage->relayTable(), &ComboTable::tableChanged, this,
            &MainWindow::onRelayConfigChanged);
}

void MainWindow::buildLayout()
{
    auto *rightPanel = new QWidget;
    auto *rightBox = new QVBoxLayout(rightPanel);
    rightBox->setContentsMargins(10, 10, 10, 10);
    rightBox->addWidget(titleLine);
    rightBox->addWidget(pageStack);

    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setWidget(rightPanel);

    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(tree);
    splitter->addWidget(scroll);
    splitter->setStretchFactor(1, 1);

    auto *central = new QWidget;
    auto *centralBox = new QVBoxLayout(central);
    centralBox->addWidget(comms);
    centralBox->addWidget(splitter, 1);
    setCentralWidget(central);
}

void MainWindow::createMenus()
{
    auto makeAction = [this](const QString &text, const char *icon, void (MainWindow::*slot)()) {
        auto *action = new QAction(text, this);
        if (icon)
            action->setIcon(QIcon(icon));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };

    newAction = makeAction(tr("New Preset"), ":/res/empty-2.png", &MainWindow::menuNew);
    newAction->setShortcuts(QKeySequence::New);
    openAction = makeAction(tr("Open Preset..."), ":/res/open-2.png", &MainWindow::menuOpen);
    openAction->setShortcuts(QKeySequence::Open);
    openBackupAction = makeAction(tr("Open Unit Backup..."), nullptr, &MainWindow::menuOpenBackup);
    saveAction = makeAction(tr("Save Preset"), nullptr, &MainWindow::menuSave);
    saveAction->setShortcuts(QKeySequence::Save);
    saveAsAction =
        makeAction(tr("Save Preset As..."), ":/res/save as-2.png", &MainWindow::menuSaveAs);
    saveAsAction->setShortcuts(QKeySequence::SaveAs);
    quitAction = makeAction(tr("Quit"), ":/res/exit-2.png", &MainWindow::menuQuit);
    quitAction->setShortcuts(QKeySequence::Quit);
    showMapAction = makeAction("Show Eeprom Map", nullptr, &MainWindow::menuShowMap);
    aboutAction = makeAction(tr("About"), ":/res/information-2.png", &MainWindow::menuAbout);

    fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->addAction(newAction);
    fileMenu->addSeparator();
    fileMenu->addAction(openAction);
    recentMenu = new RecentFilesMenu(recentFiles, fileMenu);
    connect(recentMenu, &RecentFilesMenu::fileChosen, this, [this](const QString &path) {
        if (maybeSave())
            openFile(path);
    });
    fileMenu->addMenu(recentMenu);
    fileMenu->addAction(openBackupAction);
    fileMenu->addAction(saveAction);
    fileMenu->addAction(saveAsAction);
    fileMenu->addSeparator();
    fileMenu->addAction(quitAction);

    // The texts name the step: "Undo Store Event".
    undoAction = history->stack()->createUndoAction(this);
    undoAction->setShortcuts(QKeySequence::Undo);
    redoAction = history->stack()->createRedoAction(this);
    redoAction->setShortcuts(QKeySequence::Redo);
    editMenu = menuBar()->addMenu(tr("&Edit"));
    editMenu->addAction(undoAction);
    editMenu->addAction(redoAction);

    // Without developer mode the map action exists but no menu offers it.
    if (devMode) {
        viewMenu = menuBar()->addMenu(tr("&View"));
        viewMenu->addAction(showMapAction);
    }

    helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->addAction(aboutAction);
}

void MainWindow::makeConnections()
{
    connect(tree, &FunctionTree::functionSelected, this, &MainWindow::onFunctionSelected);
    connect(slotList, &SlotListPanel::itemSlotChanged, this, &MainWindow::onItemSlotChanged);
    connect(slotList, &SlotListPanel::requestSlotClear, this, &MainWindow::onClearSlotRequest);
    connect(slotList, &SlotListPanel::requestSlotStore, this, &MainWindow::onStoreSlotRequest);
    connect(detailEditor, &EventEditor::itemHasData, slotList, &SlotListPanel::enableButtonDel);
    connect(detailEditor, &EventEditor::itemHasNoData, slotList, &SlotListPanel::disableButtonDel);
    connect(generalPage, &GeneralPage::namesEdited, this, [this](GeneralPage::TextField field) {
        onNameChanged();
        if (field == GeneralPage::NameField)
            recordEdit(tr("Edit Preset Name"), NameMerge);
        else
            recordEdit(tr("Edit Preset Description"), DescriptionMerge);
    });
    connect(generalPage, &GeneralPage::settingsEdited, this,
            [this] { recordEdit(tr("Change General Configuration")); });
    connect(midiPage, &MidiPage::settingsEdited, this,
            [this] { recordEdit(tr("Change MIDI Configuration")); });
    connect(midiPage, &MidiPage::routingEdited, this,
            [this] { recordEdit(tr("Change MIDI Routing")); });
    connect(comms, &DeviceLinkPanel::commsStatusChange, this, &MainWindow::onCommsStatusChange);
    connect(comms, &DeviceLinkPanel::requestDownload, this, &MainWindow::onCommsRequestDownload);
    connect(comms, &DeviceLinkPanel::requestUpload, this, &MainWindow::onCommsRequestUpload);
    connect(comms, &DeviceLinkPanel::redrawData, this, &MainWindow::requestRedraw);
    // Nothing is lost without a file only when the unit holds all of what the
    // window shows: an edit made while the upload ran on, or bytes a unit of
    // firmware below 1.5 has no room for, keep the mark.
    connect(comms, &DeviceLinkPanel::uploadComplete, this, [this] {
        if (comms->link()->transferLength() == presetImage.imageSize() &&
            history->holds(uploadedPreset))
            history->setClean();
    });
}

void MainWindow::onFunctionSelected(SlotListKind kind, int index)
{
    // Always, even after a save, upload or map view has applied the MIDI page
    // already: the reload below would otherwise drop edits made since then.
    // Applying twice writes the same values.
    applyMidiPage();
    applyGeneralPage();
    navigation.select(kind, index);
    titleLine->setText(navigation.title());
    pageStack->setCurrentIndex(navigation.page());
    reloadViews();
}

void MainWindow::onGpiConfigChanged()
{
    gpioPage->gpiTable()->applyToImage(presetImage);
    recordEdit(tr("Change GPI Configuration"));
}

void MainWindow::onRelayConfigChanged()
{
    gpioPage->relayTable()->applyToImage(presetImage);
    recordEdit(tr("Change Relay Configuration"));
}

void MainWindow::onItemSlotChanged(int currentSlot)
{
    this->currentSlot = currentSlot;
    detailEditor->showSlot(presetImage, navigation.kind(), navigation.list(), currentSlot);
}

void MainWindow::onClearSlotRequest()
{
    const SlotListKind currentKind = navigation.kind();
    const int currentList = navigation.list();
    qDebug() << "Clear:" << currentKind << currentList << currentSlot;
    EventStore::clearSlot(presetImage, currentKind, currentList, currentSlot);
    recordEdit(tr("Clear Event"));
    reloadViews();
}

void MainWindow::onStoreSlotRequest()
{
    // The store clears the slot itself, once it knows the new event has room:
    // a refused store must leave the slot's old event in place.
    const auto result =
        detailEditor->storeEvent(presetImage, navigation.kind(), navigation.list(), currentSlot);
    if (result == EventStore::StoreResult::PoolFull) {
        detailEditor->showPoolFullWarning(presetImage);
        return;
    }
    if (result != EventStore::StoreResult::InvalidSlot) {
        recordEdit(tr("Store Event"));
        reloadViews();
    }
}

void MainWindow::onCommsStatusChange(QString text)
{
    statusBar()->showMessage(text);
}

void MainWindow::onCommsRequestDownload()
{
    // The panel reports back through requestRedraw() once the image is parsed.
    if (maybeSave())
        comms->startDownload(&presetImage);
}

void MainWindow::onCommsRequestUpload()
{
    applyPages();
    presetImage.buildImage();
    uploadedPreset = presetImage;
    comms->startUpload(&presetImage);
}

void MainWindow::requestRedraw()
{
    // A finished download: the unit's preset, in no file.
    reloadViews();
    startOver(QString());
}

void MainWindow::menuNew()
{
    if (!maybeSave())
        return;
    presetImage.clearModel();
    presetImage.resetToDefaults();
    reloadViews();
    startOver(QString());
}

void MainWindow::menuOpen()
{
    openWithDialog(tr("Open Preset File"), presetDocument.dialogFolder(recentFiles.files()));
}

void MainWindow::menuOpenBackup()
{
    // Made here when no upload has kept a backup yet, so the dialog does not
    // fall back to some other folder.
    UnitBackup &backup = comms->unitBackup();
    backup.makeFolder();
    openWithDialog(tr("Open Unit Backup"), backup.folder());
}

void MainWindow::openWithDialog(const QString &title, const QString &folder)
{
    if (!maybeSave())
        return;
    const QString path =
        QFileDialog::getOpenFileName(this, title, folder, tr("RSX-4 Preset Files (*.rsx4pre)"));
    if (!path.isEmpty())
        openFile(path);
}

void MainWindow::menuSave()
{
    saveToCurrentFile();
}

bool MainWindow::saveToCurrentFile()
{
    return presetDocument.hasFile() ? savePresetFile(presetDocument.filePath()) : saveWithDialog();
}

void MainWindow::menuSaveAs()
{
    saveWithDialog();
}

void MainWindow::menuQuit()
{
    if (mayQuitDuringUpload() && maybeSave())
        QApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (mayQuitDuringUpload() && maybeSave())
        event->accept();
    else
        event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (draggedPreset(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = draggedPreset(event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Not inside the drop: the program that started the drag waits for it to end.
    QTimer::singleShot(0, this, [this, path] {
        if (maybeSave())
            openFile(path);
    });
}

void MainWindow::menuShowMap()
{
    applyPages();
    presetImage.buildImage();
    auto *map = new EepromMapWindow(presetImage, this);
    map->setWindowTitle("RSX-4 Eeprom Data View");
    map->show();
}

void MainWindow::menuAbout()
{
    QMessageBox::about(this, "About Cuesmith",
                       QStringLiteral("<h2>RSX-4 Cuesmith v%1</h2>"
                                      "<p>The configuration utility for the RSX-4 switchover "
                                      "unit.</p>"
                                      "<p>Build 10/05/19 RC.</p>")
                           .arg(QLatin1String(Version::Text)));
}

void MainWindow::applyNameChange()
{
    generalPage->applyNames(presetImage);
}

void MainWindow::onNameChanged()
{
    applyNameChange();
}

bool MainWindow::maybeSave()
{
    if (!history->isModified())
        return true;
    QMessageBox box(QMessageBox::Warning, tr("Unsaved Changes"),
                    tr("The preset has unsaved changes. Save them before continuing?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return saveToCurrentFile();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

bool MainWindow::mayQuitDuringUpload()
{
    if (!comms->link()->isUploading())
        return true;
    QMessageBox box(QMessageBox::Warning, tr("Upload Running"),
                    tr("The preset is still being sent to the RSX-4. Quitting now leaves an "
                       "incomplete preset in the unit."),
                    QMessageBox::Cancel, this);
    QPushButton *quit = box.addButton(tr("Quit Anyway"), QMessageBox::DestructiveRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == quit;
}

void MainWindow::openFile(const QString &path)
{
    if (!loadPresetFile(path)) {
        QMessageBox::warning(this, tr("File Operation"), tr("Unable to Open Preset File"));
        recentFiles.remove(path);
        recentMenu->refresh();
        return;
    }
    presetImage.parseImage();
    reloadViews();
    startOver(path);
    recentFiles.add(path);
    recentMenu->refresh();
}

bool MainWindow::loadPresetFile(const QString &path)
{
    // Only a regular file can hold a preset: opening a FIFO would wait for a
    // writer with the window frozen, and a device may never end.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;

    // The file is read whole before anything is decided, so a refused file
    // leaves the current preset as it was.
    PresetFile preset;
    if (!preset.read(file, presetImage.imageSize()))
        return false;
    const PresetFile::Verdict verdict = preset.verdict();
    if (PresetFile::showsEarlierNotice(verdict))
        QMessageBox::information(this, tr("File Operation"), PresetFile::earlierNotice());
    if (PresetFile::showsLaterNotice(verdict))
        QMessageBox::information(this, tr("File Operation"), PresetFile::laterNotice());
    if (!PresetFile::accepts(verdict))
        return false;
    preset.applyTo(presetImage);
    return true;
}

bool MainWindow::saveWithDialog()
{
    QFileDialog dialog(this, tr("Save Preset File"),
                       presetDocument.dialogFolder(recentFiles.files()),
                       tr("RSX-4 Preset Files (*.rsx4pre)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The open dialog shows only this suffix: a file saved without it could
    // not be opened again from there.
    dialog.setDefaultSuffix(QStringLiteral("rsx4pre"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return savePresetFile(dialog.selectedFiles().first());
}

bool MainWindow::savePresetFile(const QString &path)
{
    applyPages();
    presetImage.buildImage();
    if (!PresetFile::save(path, presetImage)) {
        QMessageBox::warning(this, tr("File Operation"), tr("Unable to Save Preset File"));
        return false;
    }
    presetDocument.setFilePath(path);
    history->setClean();
    recentFiles.add(path);
    recentMenu->refresh();
    updateTitle();
    return true;
}

void MainWindow::startOver(const QString &path)
{
    history->reset(presetImage);
    if (path.isEmpty())
        presetDocument.clearFilePath();
    else
        presetDocument.setFilePath(path);
    updateTitle();
}

void MainWindow::updateTitle()
{
    setWindowTitle(presetDocument.windowTitle());
    setWindowModified(history->isModified());
}

void MainWindow::recordEdit(const QString &text, int mergeId)
{
    PresetImage edited = presetImage;
    midiPage->apply(edited);
    generalPage->apply(edited);
    history->record(edited, text, mergeId);
}

void MainWindow::restorePreset(const PresetImage &preset)
{
    presetImage = preset;
    reloadViews();
}

void MainWindow::applyPages()
{
    applyMidiPage();
    applyGeneralPage();
    gpioPage->gpiTable()->applyToImage(presetImage);
    gpioPage->relayTable()->applyToImage(presetImage);
}

void MainWindow::applyMidiPage()
{
    midiPage->apply(presetImage);
}

void MainWindow::applyGeneralPage()
{
    generalPage->apply(presetImage);
}

void MainWindow::loadGeneralPage()
{
    generalPage->load(presetImage);
}

void MainWindow::loadMidiPage()
{
    midiPage->load(presetImage);
}

void MainWindow::reloadViews()
{
    slotList->showSlotList(presetImage, navigation.kind(), navigation.list());
    detailEditor->resetEditor(navigation.kind());
    loadGeneralPage();
    loadMidiPage();
    gpioPage->gpiTable()->loadFromImage(presetImage);
    gpioPage->relayTable()->loadFromImage(presetImage);
}
