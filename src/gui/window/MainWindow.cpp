#include "gui/window/MainWindow.h"
#include "gui/window/AreaKeys.h"

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
        m_devMode = true;
    }
    for (const QString &problem : commandLine.problems())
        qWarning("%s", qPrintable(problem));
    m_history = new PresetHistory(this);
    m_documents = new DocumentActions(this, m_presetImage, m_history);

    Theme::apply();

    m_tree = new FunctionTree;
    m_tree->setMinimumWidth(250);
    m_comms = new DeviceLinkPanel;
    m_transfers = new TransferActions(this, m_comms, m_presetImage, m_history, m_documents);
    buildTitleLine();
    buildPages();
    buildLayout();
    createMenus();
    setUpFrame();

    m_titleLine->setText(m_navigation.title());
    makeConnections();
    new AreaKeys(this, m_tree, m_pageScroll, m_pageStack, m_comms);

    m_generalPage->load(m_presetImage);
    m_midiPage->load(m_presetImage);

    m_history->reset(m_presetImage);
    connect(m_history, &PresetHistory::restoreRequested, this, &MainWindow::restorePreset);
    connect(m_history->stack(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    m_documents->updateTitle();

    // Opened from the event loop, so that its notices show over the window.
    if (!commandLine.file().isEmpty())
        QTimer::singleShot(0, this,
                           [this, file = commandLine.file()] { m_documents->openFile(file); });
}

MainWindow::~MainWindow() = default;

void MainWindow::buildTitleLine()
{
    m_titleLine = new QLineEdit;
    m_titleLine->setObjectName("titleLine");
    m_titleLine->setAccessibleName(tr("Current page"));
    m_titleLine->setReadOnly(true);
    QFont titleFont = m_titleLine->font();
    titleFont.setPixelSize(14);
    titleFont.setBold(true);
    m_titleLine->setFont(titleFont);
    m_titleLine->setStyleSheet("border: 1px solid grey");
}

void MainWindow::buildPages()
{
    m_pageStack = new QStackedWidget;
    m_pageStack->setObjectName("pageStack");

    m_logoPanel = new LogoPanel;
    m_generalPage = new GeneralPage(FunctionNames::macroNames());
    m_gpioPage = new GpioPage(m_presetImage);
    // The routing grids take their colours from the window's palette.
    m_midiPage = new MidiPage(this);

    m_eventPage = new QWidget;
    auto *eventBox = new QVBoxLayout(m_eventPage);
    eventBox->setContentsMargins(0, 0, 0, 0);
    m_slotList = new SlotListPanel;
    m_detailEditor = new EventEditor;
    eventBox->addWidget(m_slotList);
    eventBox->addWidget(m_detailEditor);

    connect(m_gpioPage->gpiTable(), &ComboTable::tableChanged, this,
            &MainWindow::onGpiConfigChanged);
    connect(m_gpioPage->relayTable(), &ComboTable::tableChanged, this,
            &MainWindow::onRelayConfigChanged);

    // In Navigation::Page order.
    for (QWidget *page : std::initializer_list<QWidget *>{m_logoPanel, m_generalPage, m_gpioPage,
                                                          m_midiPage, m_eventPage})
        m_pageStack->addWidget(page);
}

void MainWindow::buildLayout()
{
    auto *rightPanel = new QWidget;
    auto *rightBox = new QVBoxLayout(rightPanel);
    rightBox->setContentsMargins(10, 10, 10, 10);
    rightBox->addWidget(m_titleLine);
    rightBox->addWidget(m_pageStack);

    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setWidget(rightPanel);
    scroll->setAccessibleName(tr("Page"));
    m_pageScroll = scroll;

    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_tree);
    splitter->addWidget(scroll);
    splitter->setStretchFactor(1, 1);

    auto *central = new QWidget;
    auto *centralBox = new QVBoxLayout(central);
    centralBox->addWidget(m_comms);
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
    m_documents->fillFileMenu(fileMenu, m_comms->unitBackup());
    fileMenu->addSeparator();
    QAction *quitAction = makeAction(tr("Quit"), ":/res/exit-2.png", &MainWindow::menuQuit);
    quitAction->setShortcuts(QKeySequence::Quit);
    fileMenu->addAction(quitAction);

    // The texts name the step: "Undo Store Event".
    QAction *undoAction = m_history->stack()->createUndoAction(this);
    undoAction->setShortcuts(QKeySequence::Undo);
    QAction *redoAction = m_history->stack()->createRedoAction(this);
    redoAction->setShortcuts(QKeySequence::Redo);
    QMenu *editMenu = menuBar()->addMenu(tr("&Edit"));
    editMenu->addAction(undoAction);
    editMenu->addAction(redoAction);

    // Without developer mode the map action exists but no menu offers it.
    QAction *showMapAction = makeAction(tr("Show Eeprom Map"), nullptr, &MainWindow::menuShowMap);
    if (m_devMode)
        menuBar()->addMenu(tr("&View"))->addAction(showMapAction);

    menuBar()
        ->addMenu(tr("&Help"))
        ->addAction(makeAction(tr("About"), ":/res/information-2.png", &MainWindow::menuAbout));
}

void MainWindow::makeConnections()
{
    connect(m_tree, &FunctionTree::functionSelected, this, &MainWindow::onFunctionSelected);
    connect(m_slotList, &SlotListPanel::itemSlotChanged, this, &MainWindow::onItemSlotChanged);
    connect(m_slotList, &SlotListPanel::requestSlotClear, this, &MainWindow::onClearSlotRequest);
    connect(m_slotList, &SlotListPanel::requestSlotStore, this, &MainWindow::onStoreSlotRequest);
    connect(m_detailEditor, &EventEditor::itemHasData, m_slotList, &SlotListPanel::enableButtonDel);
    connect(m_detailEditor, &EventEditor::itemHasNoData, m_slotList,
            &SlotListPanel::disableButtonDel);
    connect(m_generalPage, &GeneralPage::namesEdited, this, [this](GeneralPage::TextField field) {
        m_generalPage->applyNames(m_presetImage);
        if (field == GeneralPage::NameField)
            recordEdit(tr("Edit Preset Name"), NameMerge);
        else
            recordEdit(tr("Edit Preset Description"), DescriptionMerge);
    });
    connect(m_generalPage, &GeneralPage::settingsEdited, this,
            [this] { recordEdit(tr("Change General Configuration")); });
    connect(m_midiPage, &MidiPage::settingsEdited, this,
            [this] { recordEdit(tr("Change MIDI Configuration")); });
    connect(m_midiPage, &MidiPage::routingEdited, this,
            [this] { recordEdit(tr("Change MIDI Routing")); });
    connect(m_comms, &DeviceLinkPanel::commsStatusChange, this, &MainWindow::onCommsStatusChange);
    connect(m_comms, &DeviceLinkPanel::requestDownload, this, &MainWindow::onCommsRequestDownload);
    connect(m_comms, &DeviceLinkPanel::requestUpload, this, &MainWindow::onCommsRequestUpload);
    connect(m_comms, &DeviceLinkPanel::redrawData, this, &MainWindow::requestRedraw);
    connect(m_documents, &DocumentActions::writing, this, &MainWindow::applyPages);
    connect(m_documents, &DocumentActions::replaced, this, &MainWindow::reloadViews);
    connect(m_transfers, &TransferActions::writing, this, &MainWindow::applyPages);
    connect(m_transfers, &TransferActions::replaced, this, &MainWindow::reloadViews);
}

void MainWindow::onFunctionSelected(SlotListKind kind, int index)
{
    // Always, even after a save, upload or map view has applied the pages
    // already: the reload below would otherwise drop edits made since then.
    // Applying twice writes the same values.
    m_midiPage->apply(m_presetImage);
    m_generalPage->apply(m_presetImage);
    m_navigation.select(kind, index);
    m_titleLine->setText(m_navigation.title());
    m_pageStack->setCurrentIndex(m_navigation.page());
    reloadViews();
}

void MainWindow::onGpiConfigChanged()
{
    m_gpioPage->gpiTable()->applyToImage(m_presetImage);
    recordEdit(tr("Change GPI Configuration"));
}

void MainWindow::onRelayConfigChanged()
{
    m_gpioPage->relayTable()->applyToImage(m_presetImage);
    recordEdit(tr("Change Relay Configuration"));
}

void MainWindow::onItemSlotChanged(int currentSlot)
{
    this->m_currentSlot = currentSlot;
    m_detailEditor->showSlot(m_presetImage, m_navigation.kind(), m_navigation.list(), currentSlot);
}

void MainWindow::onClearSlotRequest()
{
    const SlotListKind currentKind = m_navigation.kind();
    const int currentList = m_navigation.list();
    qCDebug(lcGui) << "Clear:" << currentKind << currentList << m_currentSlot;
    EventStore::clearSlot(m_presetImage, currentKind, currentList, m_currentSlot);
    recordEdit(tr("Clear Event"));
    reloadViews();
}

void MainWindow::onStoreSlotRequest()
{
    // The store clears the slot itself, once it knows the new event has room:
    // a refused store must leave the slot's old event in place.
    const auto result = m_detailEditor->storeEvent(m_presetImage, m_navigation.kind(),
                                                   m_navigation.list(), m_currentSlot);
    if (result == EventStore::StoreResult::PoolFull) {
        m_detailEditor->showPoolFullWarning(m_presetImage);
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
    m_transfers->requestDownload();
}

void MainWindow::onCommsRequestUpload()
{
    m_transfers->requestUpload();
}

void MainWindow::requestRedraw()
{
    m_transfers->downloadFinished();
}

void MainWindow::menuQuit()
{
    if (m_transfers->mayQuit() && m_documents->maybeSave())
        QApplication::quit();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_transfers->mayQuit() && m_documents->maybeSave())
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
    QTimer::singleShot(0, this, [this, path] { m_documents->openAfterAsking(path); });
}

void MainWindow::menuShowMap()
{
    applyPages();
    m_presetImage.buildImage();
    auto *map = new EepromMapWindow(m_presetImage, this);
    map->setWindowTitle(tr("RSX-4 Eeprom Data View"));
    map->show();
}

void MainWindow::menuAbout()
{
    QMessageBox::about(this, tr("About Cuesmith"),
                       tr("<h2>RSX-4 Cuesmith v%1</h2>"
                          "<p>The configuration utility for the RSX-4 switchover "
                          "unit.</p>"
                          "<p>Build 10/05/19 RC.</p>")
                           .arg(QLatin1String(Version::Text)));
}

void MainWindow::recordEdit(const QString &text, int mergeId)
{
    PresetImage edited = m_presetImage;
    m_midiPage->apply(edited);
    m_generalPage->apply(edited);
    m_history->record(edited, text, mergeId);
}

void MainWindow::restorePreset(const PresetImage &preset)
{
    m_presetImage = preset;
    reloadViews();
}

void MainWindow::applyPages()
{
    m_midiPage->apply(m_presetImage);
    m_generalPage->apply(m_presetImage);
    m_gpioPage->gpiTable()->applyToImage(m_presetImage);
    m_gpioPage->relayTable()->applyToImage(m_presetImage);
}

void MainWindow::reloadViews()
{
    m_slotList->showSlotList(m_presetImage, m_navigation.kind(), m_navigation.list());
    m_detailEditor->resetEditor(m_navigation.kind());
    m_generalPage->load(m_presetImage);
    m_midiPage->load(m_presetImage);
    m_gpioPage->gpiTable()->loadFromImage(m_presetImage);
    m_gpioPage->relayTable()->loadFromImage(m_presetImage);
}
