#include "gui/window/MainWindow.h"

#include "core/Logging.h"
#include "core/Version.h"
#include "core/document/CommandLine.h"
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
#include "gui/window/DocumentActions.h"
#include "gui/window/FunctionTree.h"
#include "gui/window/PresetHistory.h"
#include "gui/window/Theme.h"
#include "gui/window/TransferActions.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

MainWindow::MainWindow(const QStringList &arguments, QWidget *parent) : QMainWindow(parent)
{
    const CommandLine commandLine(arguments);
    if (commandLine.devMode()) {
        qCDebug(lcGui, "Dev Mode Enabled");
        devMode = true;
    }
    for (const QString &problem : commandLine.problems())
        qWarning("%s", qPrintable(problem));
    history = new PresetHistory(this);
    documents = new DocumentActions(this, presetImage, history);

    Theme::apply();

    tree = new FunctionTree;
    tree->setMinimumWidth(250);
    comms = new DeviceLinkPanel;
    transfers = new TransferActions(this, comms, presetImage, history, documents);
    buildTitleLine();
    buildPages();
    buildLayout();
    createMenus();
    setUpFrame();

    titleLine->setText(navigation.title());
    makeConnections();

    generalPage->load(presetImage);
    midiPage->load(presetImage);

    history->reset(presetImage);
    connect(history, &PresetHistory::restoreRequested, this, &MainWindow::restorePreset);
    connect(history->stack(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    documents->updateTitle();

    // Opened from the event loop, so that its notices show over the window.
    if (!commandLine.file().isEmpty())
        QTimer::singleShot(0, this,
                           [this, file = commandLine.file()] { documents->openFile(file); });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildTitleLine()
{
    titleLine = new QLineEdit;
    titleLine->setObjectName("titleLine");
    titleLine->setReadOnly(true);
    QFont titleFont = titleLine->font();
    titleFont.setPixelSize(14);
    titleFont.setBold(true);
    titleLine->setFont(titleFont);
    titleLine->setStyleSheet("border: 1px solid grey");
}

void MainWindow::buildPages()
{
    pageStack = new QStackedWidget;
    pageStack->setObjectName("pageStack");

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

    // In Navigation::Page order.
    for (QWidget *page :
         std::initializer_list<QWidget *>{logoPanel, generalPage, gpioPage, midiPage, eventPage})
        pageStack->addWidget(page);
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

void MainWindow::setUpFrame()
{
    statusBar()->hide();
    statusBar()->showMessage(tr("RSX-4 Offline"));

    setWindowIcon(QIcon(":/res/ValdaneLogo.png"));
    setMinimumWidth(1000);
    // Where the window system does not honour maximizing, the window would
    // open at its size hint with the pages cut off; this fills the screen either way.
    setGeometry(screen()->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
    setAcceptDrops(true);
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

    QMenu *fileMenu = menuBar()->addMenu(tr("&File"));
    documents->fillFileMenu(fileMenu, comms->unitBackup());
    fileMenu->addSeparator();
    QAction *quitAction = makeAction(tr("Quit"), ":/res/exit-2.png", &MainWindow::menuQuit);
    quitAction->setShortcuts(QKeySequence::Quit);
    fileMenu->addAction(quitAction);

    // The texts name the step: "Undo Store Event".
    QAction *undoAction = history->stack()->createUndoAction(this);
    undoAction->setShortcuts(QKeySequence::Undo);
    QAction *redoAction = history->stack()->createRedoAction(this);
    redoAction->setShortcuts(QKeySequence::Redo);
    QMenu *editMenu = menuBar()->addMenu(tr("&Edit"));
    editMenu->addAction(undoAction);
    editMenu->addAction(redoAction);

    // Without developer mode the map action exists but no menu offers it.
    QAction *showMapAction = makeAction("Show Eeprom Map", nullptr, &MainWindow::menuShowMap);
    if (devMode)
        menuBar()->addMenu(tr("&View"))->addAction(showMapAction);

    menuBar()
        ->addMenu(tr("&Help"))
        ->addAction(makeAction(tr("About"), ":/res/information-2.png", &MainWindow::menuAbout));
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
        generalPage->applyNames(presetImage);
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
    connect(documents, &DocumentActions::writing, this, &MainWindow::applyPages);
    connect(documents, &DocumentActions::replaced, this, &MainWindow::reloadViews);
    connect(transfers, &TransferActions::writing, this, &MainWindow::applyPages);
    connect(transfers, &TransferActions::replaced, this, &MainWindow::reloadViews);
}

void MainWindow::onFunctionSelected(SlotListKind kind, int index)
{
    // Always, even after a save, upload or map view has applied the pages
    // already: the reload below would otherwise drop edits made since then.
    // Applying twice writes the same values.
    midiPage->apply(presetImage);
    generalPage->apply(presetImage);
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
    qCDebug(lcGui) << "Clear:" << currentKind << currentList << currentSlot;
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
    transfers->requestDownload();
}

void MainWindow::onCommsRequestUpload()
{
    transfers->requestUpload();
}

void MainWindow::requestRedraw()
{
    transfers->downloadFinished();
}

void MainWindow::menuQuit()
{
    if (transfers->mayQuit() && documents->maybeSave())
        QApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (transfers->mayQuit() && documents->maybeSave())
        event->accept();
    else
        event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (DocumentActions::draggedPreset(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = DocumentActions::draggedPreset(event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // Not inside the drop: the program that started the drag waits for it to end.
    QTimer::singleShot(0, this, [this, path] { documents->openAfterAsking(path); });
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
    midiPage->apply(presetImage);
    generalPage->apply(presetImage);
    gpioPage->gpiTable()->applyToImage(presetImage);
    gpioPage->relayTable()->applyToImage(presetImage);
}

void MainWindow::reloadViews()
{
    slotList->showSlotList(presetImage, navigation.kind(), navigation.list());
    detailEditor->resetEditor(navigation.kind());
    generalPage->load(presetImage);
    midiPage->load(presetImage);
    gpioPage->gpiTable()->loadFromImage(presetImage);
    gpioPage->relayTable()->loadFromImage(presetImage);
}
