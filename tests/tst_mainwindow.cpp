#include "DialogScript.h"
#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "VirtualUnit.h"
#include "WindowDriver.h"
#include "eepromMapWidget.h"
#include "functionTree.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QStyleFactory>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <memory>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString Filter = "RSX-4 Preset Files (*.rsx4pre)";

QString title(MainWindow &window)
{
    return window.findChild<QLineEdit *>("titleLine")->text();
}

int page(MainWindow &window)
{
    return window.findChild<QStackedWidget *>("pageStack")->currentIndex();
}

QStringList menuTitles(MainWindow &window)
{
    QStringList titles;
    for (QAction *a : window.menuBar()->actions())
        titles << a->text();
    return titles;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), qint64(data.size()));
}

QByteArray imageBytes(const PresetImage &image)
{
    QByteArray out;
    for (int v : image.image())
        out.append(char(v & 0xFF));
    return out;
}

QByteArray defaultImageBytes()
{
    PresetImage image;
    image.buildImage();
    return imageBytes(image);
}

QByteArray patterned(int count)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out.append(char((i * 7 + 3) & 0xFF));
    return out;
}

// A preset that differs from the defaults in both model and image.
void markPreset(MainWindow &window)
{
    window.preset().setValue(PresetImage::PresetName, 0, 'Z');
    window.preset().buildImage();
}

QList<int> styleMetrics(const QStyle *style)
{
    QList<int> metrics;
    for (QStyle::PixelMetric m :
         {QStyle::PM_ButtonMargin, QStyle::PM_DefaultFrameWidth, QStyle::PM_ScrollBarExtent,
          QStyle::PM_SliderThickness, QStyle::PM_MenuHMargin, QStyle::PM_IndicatorWidth,
          QStyle::PM_ExclusiveIndicatorWidth, QStyle::PM_TabBarTabHSpace,
          QStyle::PM_ToolBarItemSpacing, QStyle::PM_SmallIconSize})
        metrics << style->pixelMetric(m);
    return metrics;
}

const char *const EarlierNotice =
    "File Operation | This preset file was created with an earlier version of Cuesmith. Please "
    "be aware that saving in this version will prevent loading in the earlier version.";
const char *const LaterNotice = "File Operation | This preset file was created with a later "
                                "version of Cuesmith. Please upgrade to the latest version.";
const char *const OpenFailed = "File Operation | Unable to Open Preset File";
const char *const SaveFailed = "File Operation | Unable to Save Preset File";

enum class SaveFault { SizeLimit, LongName, AppendOnlyDirectory, ImmutableFile, BecomesDirectory };

// Sets or clears an inode flag (FS_APPEND_FL, FS_IMMUTABLE_FL); false where the
// file system or the process's privileges do not allow it.
bool setFileFlag(const QString &path, int flag, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | flag : flags & ~flag;
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

} // namespace

Q_DECLARE_METATYPE(SaveFault)

class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void startup();
    void developerMode_data();
    void developerMode();
    void menus();
    void pageMapping_data();
    void pageMapping();
    void statusText();
    void aboutBox();
    void newKeepsSelection();
    void slotActions();
    void uploadBuildsImage();
    void savedNewPreset();
    void saveAndReopen();
    void opening_data();
    void opening();
    void cancelledOpen();
    void cancelledSave();
    void saveIntoMissingDirectory();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    void eepromMap();
    // Last: once the application was told to quit, no dialog runs any more.
    void quit();
};

void tst_MainWindow::initTestCase()
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    // No unit on the bus: the window's poll timer must find nothing to open,
    // however slowly a test runs.
    VirtualUnit::instance().setPlugged(false);
}

void tst_MainWindow::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->windowTitle()));
}

void tst_MainWindow::startup()
{
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
    const std::unique_ptr<QStyle> windows(QStyleFactory::create("Windows"));
    QApplication::setStyle(QStyleFactory::create("Windows"));
    MainWindow window({"cuesmith"});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.windowTitle(), QString("Valdane RSX-4 Cuesmith v1.6.1[*]"));
    QVERIFY(!window.windowIcon().isNull());
    QCOMPARE(window.minimumWidth(), 1000);
    QVERIFY(window.windowState() & Qt::WindowMaximized);
    // The style sheet wraps the style, so the style is known by what it does.
    QVERIFY(window.style()->inherits("QStyleSheetStyle") ||
            window.style()->objectName() == "fusion");
    QCOMPARE(styleMetrics(window.style()), styleMetrics(fusion.get()));
    QVERIFY(styleMetrics(fusion.get()) != styleMetrics(windows.get()));

    const QPalette palette = QApplication::palette();
    QCOMPARE(palette.color(QPalette::Active, QPalette::Window), QColor(64, 66, 68));
    QCOMPARE(palette.color(QPalette::Inactive, QPalette::WindowText), QColor(220, 220, 220));
    QCOMPARE(palette.color(QPalette::Active, QPalette::Base), QColor(55, 55, 55));
    QCOMPARE(palette.color(QPalette::Active, QPalette::Button), QColor(60, 60, 60));
    QCOMPARE(palette.color(QPalette::Active, QPalette::Highlight), QColor(44, 69, 102));
    QCOMPARE(palette.color(QPalette::Active, QPalette::Link), QColor(42, 130, 218));
    QCOMPARE(palette.color(QPalette::Disabled, QPalette::Window), QColor(30, 30, 30));
    QCOMPARE(palette.color(QPalette::Disabled, QPalette::ButtonText), QColor(130, 130, 130));
    QCOMPARE(palette.color(QPalette::Disabled, QPalette::Base), QColor(64, 66, 68));
    QVERIFY(qApp->styleSheet().contains("QToolTip { color: #ffffff; background-color: #2a82da; "
                                        "border: 1px solid white; }"));
    QVERIFY(qApp->styleSheet().contains("QSplitter::handle {image: none; }"));

    auto *titleLine = window.findChild<QLineEdit *>("titleLine");
    QVERIFY(titleLine->isReadOnly());
    QCOMPARE(titleLine->text(), QString("<No Selection>"));
    QCOMPARE(titleLine->font().pixelSize(), 14);
    QVERIFY(titleLine->font().bold());

    auto *stack = window.findChild<QStackedWidget *>("pageStack");
    QCOMPARE(stack->count(), 5);
    QCOMPARE(stack->currentIndex(), int(MainWindow::LogoIndex));
    auto *logo = stack->widget(MainWindow::LogoIndex)->findChild<QLabel *>();
    QVERIFY(logo && !logo->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(logo->hasScaledContents());
    QCOMPARE(logo->maximumSize(), QSize(302, 74));
    QVERIFY(logo->isVisible());
    QVERIFY(logo->width() <= 302 && logo->height() <= 74);

    QVERIFY(window.findChild<functionTree *>()->minimumWidth() >= 250);
    QVERIFY(window.findChild<functionTree *>()->isVisible());
    QVERIFY(treeOf(window)->selectedItems().isEmpty());

    QVERIFY(window.statusBar()->isHidden());
    QCOMPARE(window.statusBar()->currentMessage(), QString("RSX-4 Offline"));

    QCOMPARE(window.selectedKind(), 0);
    QCOMPARE(window.selectedList(), 0);
    QCOMPARE(imageBytes(window.preset()), defaultImageBytes());
    window.close();
}

void tst_MainWindow::developerMode_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("devMode");

    QTest::newRow("no arguments") << QStringList() << false;
    QTest::newRow("program only") << QStringList{"cuesmith"} << false;
    QTest::newRow("-devMode") << QStringList{"cuesmith", "-devMode"} << true;
    QTest::newRow("-devMode then more") << QStringList{"cuesmith", "-devMode", "x"} << true;
    QTest::newRow("lower case") << QStringList{"cuesmith", "-devmode"} << false;
    QTest::newRow("upper case") << QStringList{"cuesmith", "-DEVMODE"} << false;
    QTest::newRow("second argument") << QStringList{"cuesmith", "x", "-devMode"} << false;
    QTest::newRow("as program name") << QStringList{"-devMode"} << false;
    QTest::newRow("with blank") << QStringList{"cuesmith", "-devMode "} << false;
}

void tst_MainWindow::developerMode()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, devMode);

    MainWindow window(arguments);
    QCOMPARE(window.isDevMode(), devMode);
    const QStringList expected = devMode ? QStringList{"&File", "&Edit", "&View", "&Help"}
                                         : QStringList{"&File", "&Edit", "&Help"};
    QCOMPARE(menuTitles(window), expected);

    // The action exists either way; only developer mode puts it in a menu.
    QAction *map = action(window, "Show Eeprom Map");
    QVERIFY(map);
    QVERIFY(map->icon().isNull());
    bool inMenu = false;
    for (QWidget *w : map->associatedWidgets())
        inMenu = inMenu || qobject_cast<QMenu *>(w);
    QCOMPARE(inMenu, devMode);
    if (devMode)
        QCOMPARE(window.menuBar()->actions().at(2)->menu()->actions(), QList<QAction *>{map});
}

void tst_MainWindow::menus()
{
    MainWindow window({"cuesmith"});
    const QList<QAction *> bar = window.menuBar()->actions();
    QCOMPARE(bar.size(), 3);

    const QList<QAction *> file = bar[0]->menu()->actions();
    QStringList texts;
    for (QAction *a : file)
        texts << (a->isSeparator() ? QString("--") : a->text());
    QCOMPARE(texts, QStringList({"New Preset", "--", "Open Preset...", "Open Recent", "Save Preset",
                                 "Save Preset As...", "--", "Quit"}));
    QCOMPARE(file[0]->shortcuts(), QKeySequence::keyBindings(QKeySequence::New));
    QCOMPARE(file[2]->shortcuts(), QKeySequence::keyBindings(QKeySequence::Open));
    QCOMPARE(file[5]->shortcuts(), QKeySequence::keyBindings(QKeySequence::SaveAs));
    QCOMPARE(file[7]->shortcuts(), QKeySequence::keyBindings(QKeySequence::Quit));
    for (int i : {0, 2, 5, 7})
        QVERIFY2(!file[i]->icon().isNull(), qPrintable(file[i]->text()));

    const QList<QAction *> help = bar[2]->menu()->actions();
    QCOMPARE(help.size(), 1);
    QCOMPARE(help[0]->text(), QString("About"));
    QVERIFY(!help[0]->icon().isNull());
    QVERIFY(help[0]->shortcuts().isEmpty());
}

void tst_MainWindow::pageMapping_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("list");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("page");

    const int logo = MainWindow::LogoIndex;
    const int events = MainWindow::EventIndex;
    for (const char *category : {"RSX-4", "Unit Config", "Input Triggers", "Switches", "Macros"})
        QTest::newRow(category) << QString(category) << 0 << 0 << "<No Selection>" << logo;
    QTest::newRow("General") << "General" << 1 << 0 << "1.0 Config: General"
                             << int(MainWindow::GeneralIndex);
    QTest::newRow("GPIO Config") << "GPIO Config" << 1 << 1 << "1.1 Config: GPIO"
                                 << int(MainWindow::GpioIndex);
    QTest::newRow("MIDI Config") << "MIDI Config" << 1 << 2 << "1.2 Config: MIDI"
                                 << int(MainWindow::MidiIndex);

    const QStringList inputs = {"GPI 1",         "GPI 2",          "GPI 3",         "GPI 4",
                                "GPI 5",         "GPI 6",          "GPI 7",         "GPI 8",
                                "XLR 1 (GPI 9)", "XLR 2 (GPI 10)", "XLR 3 (GPI 11)"};
    for (int i = 0; i < inputs.size(); ++i)
        QTest::newRow(qPrintable(inputs[i]))
            << inputs[i] << 2 << i << QString("2.%1 Input Trigger: %2").arg(i).arg(inputs[i])
            << events;
    const QStringList switches = {"Front Switch A", "Front Switch B", "Remote Switch A",
                                  "Remote Switch B"};
    for (int i = 0; i < switches.size(); ++i)
        QTest::newRow(qPrintable(switches[i]))
            << switches[i] << 3 << i << QString("3.%1 Unit Control: %2").arg(i).arg(switches[i])
            << events;
    for (int i = 0; i < 12; ++i) {
        const QString macro = QString("Macro %1").arg(i + 1);
        QTest::newRow(qPrintable(macro))
            << macro << 4 << i << QString("4.%1 Macro List: %2").arg(i).arg(macro) << events;
    }
}

void tst_MainWindow::pageMapping()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(int, list);
    QFETCH(QString, title);
    QFETCH(int, page);

    MainWindow window({"cuesmith"});
    // Start from another page, so the mapping has to change everything.
    treeOf(window)->setCurrentItem(treeItem(window, text == "Macro 7" ? "General" : "Macro 7"));
    QTreeWidgetItem *item = treeItem(window, text);
    QVERIFY(item);
    treeOf(window)->setCurrentItem(item);

    QCOMPARE(window.selectedKind(), kind);
    QCOMPARE(window.selectedList(), list);
    QCOMPARE(::title(window), title);
    QCOMPARE(::page(window), page);
}

void tst_MainWindow::statusText()
{
    MainWindow window({"cuesmith"});
    window.onCommsStatusChange("RSX-4 Online");
    QCOMPARE(window.statusBar()->currentMessage(), QString("RSX-4 Online"));
    QVERIFY(window.statusBar()->isHidden());
}

void tst_MainWindow::aboutBox()
{
    MainWindow window({"cuesmith"});
    ModalAnswerer answerer;
    action(window, "About")->trigger();
    QCOMPARE(answerer.titles(), QStringList{"About Cuesmith"});
    const QString text = answerer.texts().first();
    QVERIFY2(text.startsWith("<h2>RSX-4 Cuesmith v1.6.1</h2>"), qPrintable(text));
    QVERIFY(text.contains("configuration utility for the RSX-4"));
    QVERIFY(text.contains("<p>Build 10/05/19 RC.</p>"));
}

void tst_MainWindow::quit()
{
    MainWindow window({"cuesmith"});
    QEventLoop loop;
    QTimer::singleShot(0, &window, [&window] { action(window, "Quit")->trigger(); });
    QTimer::singleShot(5000, &loop, [&loop] { loop.exit(1); });
    QCOMPARE(loop.exec(), 0);
}

void tst_MainWindow::newKeepsSelection()
{
    MainWindow window({"cuesmith"});
    treeOf(window)->setCurrentItem(treeItem(window, "Macro 3"));
    markPreset(window);
    window.preset().setValue(PresetImage::MacroSlots, 2, 0, 129);
    QVERIFY(imageBytes(window.preset()) != defaultImageBytes());

    ModalAnswerer answerer;
    action(window, "New Preset")->trigger();

    QVERIFY(answerer.seen().isEmpty());
    QCOMPARE(imageBytes(window.preset()), defaultImageBytes());
    QCOMPARE(window.preset().value(PresetImage::PresetName, 0), int('<'));
    QCOMPARE(window.preset().value(PresetImage::MacroSlots, 2, 0), 0);
    QCOMPARE(treeOf(window)->currentItem()->text(0), QString("Macro 3"));
    QVERIFY(treeOf(window)->currentItem()->isSelected());
    QCOMPARE(::title(window), QString("4.2 Macro List: Macro 3"));
    QCOMPARE(::page(window), int(MainWindow::EventIndex));
    QCOMPARE(window.selectedKind(), 4);
    QCOMPARE(window.selectedList(), 2);
}

void tst_MainWindow::slotActions()
{
    MainWindow window({"cuesmith"});
    PresetImage &preset = window.preset();
    // A MIDI event (code 1, pool entry 0) in slot 1 of GPI 3 and of Front Switch A.
    preset.setValue(PresetImage::MidiEventPool, 0, 0, 0x90);
    preset.setValue(PresetImage::TriggerSlots, 2, 1, 1);
    preset.setValue(PresetImage::SwitchSlots, 0, 1, 1);

    QCOMPARE(window.selectedSlot(), -1);
    // No slot reported yet: nothing to clear.
    window.onClearSlotRequest();
    QCOMPARE(preset.value(PresetImage::SwitchSlots, 0, 1), 1);

    treeOf(window)->setCurrentItem(treeItem(window, "GPI 3"));
    window.onItemSlotChanged(1);
    QCOMPARE(window.selectedSlot(), 1);
    QTest::ignoreMessage(QtDebugMsg, "Clear: 2 2 1");
    window.onClearSlotRequest();
    QCOMPARE(preset.value(PresetImage::TriggerSlots, 2, 1), 0);
    // The switch still names the record, so it stays.
    QCOMPARE(preset.value(PresetImage::SwitchSlots, 0, 1), 1);
    QCOMPARE(preset.value(PresetImage::MidiEventPool, 0, 0), 0x90);

    treeOf(window)->setCurrentItem(treeItem(window, "Front Switch A"));
    window.onClearSlotRequest();
    QCOMPARE(preset.value(PresetImage::SwitchSlots, 0, 1), 0);
    QCOMPARE(preset.value(PresetImage::MidiEventPool, 0, 0), 0);
}

void tst_MainWindow::uploadBuildsImage()
{
    MainWindow window({"cuesmith"});
    window.preset().setValue(PresetImage::PresetDescription, 0, 'Q');
    QCOMPARE(window.preset().imageByte(48), int('d'));
    window.onCommsRequestUpload();
    QCOMPARE(window.preset().imageByte(48), int('Q'));

    // A download leaves the model alone until the device link reports back.
    window.preset().setImageByte(48, 'R');
    window.onCommsRequestDownload();
    window.requestRedraw();
    QCOMPARE(window.preset().value(PresetImage::PresetDescription, 0), int('Q'));
}

void tst_MainWindow::savedNewPreset()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("new.rsx4pre");
    MainWindow window({"cuesmith"});
    DialogScript script;
    script.paths << path;
    action(window, "Save Preset As...")->trigger();

    QCOMPARE(script.dialogTitles(), QStringList{"Save Preset File"});
    QCOMPARE(script.directories, QStringList{QDir::homePath()});
    QCOMPARE(script.filters, QList<QStringList>{{Filter}});
    QCOMPARE(script.boxes(), QStringList());
    const QByteArray saved = fileBytes(path);
    QCOMPARE(saved.size(), 1766);
    QCOMPARE(saved, QByteArray::fromHex("00234abd0200") + defaultImageBytes());
}

void tst_MainWindow::saveAndReopen()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("edited.rsx4pre");
    MainWindow window({"cuesmith"});
    treeOf(window)->setCurrentItem(treeItem(window, "GPI 2"));
    // Model edits no page shows: saving has to build the image itself.
    window.preset().setValue(PresetImage::PresetName, 0, 'A');
    window.preset().setValue(PresetImage::TriggerSlots, 1, 0, 1);
    window.preset().setValue(PresetImage::MidiEventPool, 0, 0, 0x90);
    window.preset().setValue(PresetImage::SerialConfig, 2, 9);

    DialogScript script;
    script.paths << path << path;
    action(window, "Save Preset As...")->trigger();
    const QByteArray saved = fileBytes(path);
    QCOMPARE(saved.size(), 1766);
    QCOMPARE(saved.mid(6), imageBytes(window.preset()));
    QCOMPARE(quint8(saved[6 + 32]), quint8('A'));
    QCOMPARE(quint8(saved[6 + 1234]), quint8(9));

    action(window, "New Preset")->trigger();
    QCOMPARE(imageBytes(window.preset()), defaultImageBytes());
    action(window, "Open Preset...")->trigger();

    QCOMPARE(script.dialogTitles(), QStringList({"Save Preset File", "Open Preset File"}));
    QCOMPARE(script.directories, QStringList({QDir::homePath(), dir.path()}));
    QCOMPARE(script.filters, QList<QStringList>({{Filter}, {Filter}}));
    QCOMPARE(script.boxes(), QStringList());
    QCOMPARE(imageBytes(window.preset()), saved.mid(6));
    // The model was parsed from the opened image.
    QCOMPARE(window.preset().value(PresetImage::PresetName, 0), int('A'));
    QCOMPARE(window.preset().value(PresetImage::TriggerSlots, 1, 0), 1);
    QCOMPARE(window.preset().value(PresetImage::SerialConfig, 2), 9);
    QCOMPARE(::title(window), QString("2.1 Input Trigger: GPI 2"));
}

void tst_MainWindow::opening_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<bool>("loads");

    const QByteArray current = QByteArray::fromHex("00234abd0200");
    const QByteArray image = patterned(1760);
    QTest::newRow("current") << current + image << QStringList() << true;
    QTest::newRow("earlier") << QByteArray::fromHex("00234abd01ff") + image
                             << QStringList{EarlierNotice} << true;
    QTest::newRow("negative 0x8000")
        << QByteArray::fromHex("00234abd8000") + image << QStringList{EarlierNotice} << true;
    QTest::newRow("old magic 1232 bytes") << QByteArray::fromHex("00234abc0200") + image.left(1232)
                                          << QStringList{EarlierNotice} << true;
    QTest::newRow("magic only") << current.left(4) << QStringList{EarlierNotice} << true;
    QTest::newRow("header only") << current << QStringList() << true;
    QTest::newRow("short") << current + image.left(10) << QStringList() << true;
    QTest::newRow("long") << current + patterned(3000) << QStringList() << true;
    QTest::newRow("unsigned bytes")
        << current + QByteArray(1760, char(0xEB)) << QStringList() << true;
    QTest::newRow("later") << QByteArray::fromHex("00234abd0201") + image
                           << QStringList{LaterNotice, OpenFailed} << false;
    QTest::newRow("old magic later")
        << QByteArray::fromHex("00234abc0201") + image
        << QStringList{EarlierNotice, LaterNotice, OpenFailed} << false;
    QTest::newRow("foreign") << QByteArray("\x89PNG\r\n\x1a\n") + image << QStringList{OpenFailed}
                             << false;
    QTest::newRow("three bytes") << current.left(3) << QStringList{OpenFailed} << false;
    QTest::newRow("empty") << QByteArray() << QStringList{OpenFailed} << false;
}

void tst_MainWindow::opening()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, boxes);
    QFETCH(bool, loads);

    QTemporaryDir dir;
    const QString path = dir.filePath("file.rsx4pre");
    writeFile(path, data);

    MainWindow window({"cuesmith"});
    markPreset(window);
    const QByteArray before = imageBytes(window.preset());

    DialogScript script;
    script.paths << path;
    action(window, "Open Preset...")->trigger();
    QCOMPARE(script.dialogTitles(), QStringList{"Open Preset File"});
    QCOMPARE(script.boxes(), boxes);

    if (!loads) {
        QCOMPARE(imageBytes(window.preset()), before);
        QCOMPARE(window.preset().value(PresetImage::PresetName, 0), int('Z'));
        return;
    }
    const QByteArray defaults = defaultImageBytes();
    const QByteArray fromFile = data.mid(6, 1760);
    QCOMPARE(imageBytes(window.preset()), fromFile + defaults.mid(fromFile.size()));
    QCOMPARE(window.preset().image().at(0), fromFile.isEmpty() ? 235 : int(quint8(fromFile[0])));
}

void tst_MainWindow::cancelledOpen()
{
    MainWindow window({"cuesmith"});
    markPreset(window);
    window.preset().setValue(PresetImage::PresetDescription, 0, 'Y');
    const QByteArray before = imageBytes(window.preset());

    DialogScript script;
    script.paths << QString();
    action(window, "Open Preset...")->trigger();

    QCOMPARE(script.dialogTitles(), QStringList{"Open Preset File"});
    QCOMPARE(script.boxes(), QStringList());
    QCOMPARE(imageBytes(window.preset()), before);
    QCOMPARE(window.preset().value(PresetImage::PresetName, 0), int('Z'));
    // A model edit not yet built into the image survives too.
    QCOMPARE(window.preset().value(PresetImage::PresetDescription, 0), int('Y'));
}

void tst_MainWindow::cancelledSave()
{
    MainWindow window({"cuesmith"});
    markPreset(window);
    const QByteArray before = imageBytes(window.preset());
    DialogScript script;
    script.paths << QString();
    action(window, "Save Preset As...")->trigger();

    // Nothing follows the dialog: no warning, and the preset is as it was.
    QCOMPARE(script.dialogTitles(), QStringList{"Save Preset File"});
    QCOMPARE(script.boxes(), QStringList());
    QCOMPARE(imageBytes(window.preset()), before);
}

void tst_MainWindow::saveIntoMissingDirectory()
{
    QTemporaryDir dir;
    const QString notADirectory = dir.filePath("plain");
    writeFile(notADirectory, "x");
    MainWindow window({"cuesmith"});
    DialogScript script;
    script.paths << notADirectory + "/preset.rsx4pre";
    action(window, "Save Preset As...")->trigger();

    QCOMPARE(script.boxes(), QStringList{SaveFailed});
    QCOMPARE(fileBytes(notADirectory), QByteArray("x"));
}

void tst_MainWindow::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<SaveFault>("fault");
    QTest::addColumn<int>("limit");
    // The file system refuses to grow any file past the limit: the save is
    // cut off part way through, as on a full disk.
    QTest::newRow("no byte fits") << SaveFault::SizeLimit << 0;
    QTest::newRow("cut in the image") << SaveFault::SizeLimit << 100;
    QTest::newRow("one byte short") << SaveFault::SizeLimit << 1765;
    // The new file is written under a temporary name first, which the commit
    // needs: with a name of 250 characters that name is too long.
    QTest::newRow("no room for the temporary name") << SaveFault::LongName << 0;
    // Even root may not replace an entry of an append-only directory, nor
    // write an immutable file.
    QTest::newRow("append-only directory") << SaveFault::AppendOnlyDirectory << 0;
    QTest::newRow("immutable file") << SaveFault::ImmutableFile << 0;
    // Another program puts a directory where the chosen file was.
    QTest::newRow("replaced by a directory") << SaveFault::BecomesDirectory << 0;
}

void tst_MainWindow::failedSaveKeepsOldFile()
{
    QFETCH(SaveFault, fault);
    QFETCH(int, limit);
    QTemporaryDir dir;
    const QString name =
        fault == SaveFault::LongName ? QString(242, 'p') + ".rsx4pre" : "kept.rsx4pre";
    const QString path = dir.filePath(name);
    const QByteArray old = QByteArray::fromHex("00234abd0200") + patterned(1760);
    writeFile(path, old);
    MainWindow window({"cuesmith"});
    markPreset(window);
    DialogScript script;
    script.paths << path;

    switch (fault) {
    case SaveFault::AppendOnlyDirectory:
        if (!setFileFlag(dir.path(), FS_APPEND_FL, true))
            QSKIP("No append-only flag here (file system or privileges)");
        break;
    case SaveFault::ImmutableFile:
        if (!setFileFlag(path, FS_IMMUTABLE_FL, true))
            QSKIP("No immutable flag here (file system or privileges)");
        break;
    case SaveFault::BecomesDirectory:
        script.accepted = [](const QString &chosen) {
            QVERIFY(QFile::remove(chosen));
            QVERIFY(QDir().mkdir(chosen));
        };
        break;
    default:
        break;
    }
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    if (fault == SaveFault::SizeLimit) {
        rlimit small = saved;
        small.rlim_cur = rlim_t(limit);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    }
    action(window, "Save Preset As...")->trigger();
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
    setFileFlag(dir.path(), FS_APPEND_FL, false);
    setFileFlag(path, FS_IMMUTABLE_FL, false);

    QCOMPARE(script.boxes().size(), 2);
    QVERIFY2(script.boxes().first().contains("already exists"), qPrintable(script.boxes().first()));
    QCOMPARE(script.boxes().last(), QString(SaveFailed));
    QStringList entries =
        QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
    if (fault == SaveFault::BecomesDirectory) {
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(QDir(path).isEmpty());
    } else {
        QCOMPARE(fileBytes(path), old);
    }
    // Nothing else is left behind, but in an append-only directory the
    // temporary file cannot be removed again.
    if (fault == SaveFault::AppendOnlyDirectory) {
        QCOMPARE(entries.size(), 2);
        entries.removeOne(name);
        QVERIFY2(entries.first().startsWith(name + "."), qPrintable(entries.first()));
        QCOMPARE(QFileInfo(dir.filePath(entries.first())).size(), 1766);
    } else {
        QCOMPARE(entries, QStringList{name});
    }
}

void tst_MainWindow::eepromMap()
{
    MainWindow window({"cuesmith", "-devMode"});
    QAction *show = action(window, "Show Eeprom Map");
    show->trigger();

    const auto maps = window.findChildren<eepromMapWidget *>();
    QCOMPARE(maps.size(), 1);
    QPointer<eepromMapWidget> first = maps.first();
    QVERIFY(first->isWindow());
    QVERIFY(first->isVisible());
    QVERIFY(first->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(first->windowTitle(), QString("RSX-4 Eeprom Data View"));

    auto *view = first->findChild<QTableView *>();
    QAbstractItemModel *model = view->model();
    QCOMPARE(model->rowCount(), 110);
    QCOMPARE(model->columnCount(), 16);
    QCOMPARE(view->horizontalHeader()->defaultSectionSize(), 50);
    for (int c = 0; c < 16; ++c)
        QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), QString::number(c));
    QCOMPARE(model->headerData(0, Qt::Vertical).toString(), QString("0"));
    QCOMPARE(model->headerData(2, Qt::Vertical).toString(), QString("32"));
    QCOMPARE(model->headerData(109, Qt::Vertical).toString(), QString("1744"));

    const QByteArray bytes = defaultImageBytes();
    int green = 0;
    for (int r = 0; r < 110; ++r) {
        for (int c = 0; c < 16; ++c) {
            const QModelIndex index = model->index(r, c);
            const int value = quint8(bytes[r * 16 + c]);
            QCOMPARE(index.data(Qt::EditRole), QVariant(value));
            const QVariant background = index.data(Qt::BackgroundRole);
            if (value != 0) {
                QCOMPARE(background.value<QBrush>().color(), QColor(Qt::darkGreen));
                ++green;
            } else {
                QVERIFY(!background.isValid());
            }
        }
    }
    QVERIFY(green > 0);
    QCOMPARE(model->index(0, 0).data().toInt(), 235);
    QCOMPARE(model->index(0, 1).data().toInt(), 2);
    QCOMPARE(model->index(2, 0).data().toInt(), int('<'));

    // A model edit reaches the next map, which builds the image first; the
    // open map keeps its snapshot.
    window.preset().setValue(PresetImage::PresetName, 0, 'A');
    show->trigger();
    const auto both = window.findChildren<eepromMapWidget *>();
    QCOMPARE(both.size(), 2);
    for (eepromMapWidget *map : both)
        QVERIFY(map->isVisible());
    eepromMapWidget *second = both.first() == first ? both.last() : both.first();
    QCOMPARE(model->index(2, 0).data().toInt(), int('<'));
    QCOMPARE(second->findChild<QTableView *>()->model()->index(2, 0).data().toInt(), int('A'));

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());
    QVERIFY(second->isVisible());
    second->close();
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
