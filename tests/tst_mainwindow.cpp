#include "core/events/EventRecords.h"
#include "core/events/EventStore.h"
#include "gui/events/EventEditor.h"
#include "gui/pages/ComboTable.h"
#include "gui/pages/GeneralPage.h"
#include "gui/pages/MidiPage.h"
#include "gui/pages/RoutingGrid.h"
#include "gui/widgets/ByteLineEdit.h"
#include "gui/window/MainWindow.h"
#include "support/ModalAnswerer.h"
#include "support/TopLevels.h"
#include "support/WindowDriver.h"
#include "virtualunit/VirtualUnit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString Earlier = "File Operation | This preset file was created with an earlier version "
                        "of Cuesmith. Please be aware that saving in this version will prevent "
                        "loading in the earlier version.";
const QString Later = "File Operation | This preset file was created with a later version of "
                      "Cuesmith. Please upgrade to the latest version.";
const QString OpenFailed = "File Operation | Unable to Open Preset File";

QByteArray hex(const QString &digits)
{
    return QByteArray::fromHex(digits.toLatin1());
}

// Reads a file, or with `data` writes it first.
QByteArray file(const QString &path, const QByteArray &data = {})
{
    QFile file(path);
    if (!data.isEmpty() && file.open(QIODevice::WriteOnly)) {
        file.write(data);
        file.close();
    }
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Answers the window's dialogs: a file dialog takes the next queued path (an
// empty one cancels), a question is answered Yes, any other box OK.
struct DialogScript
{
    QStringList paths;
    QStringList boxes; // "title | text" of each message box
    QStringList dialogTitles;
    QList<QStringList> filters;
    ModalAnswerer answerer;

    DialogScript()
    {
        answerer.setAnswer([this](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            auto *dialog = qobject_cast<QFileDialog *>(w);
            if (box) {
                boxes << box->windowTitle() + " | " + box->text();
                ModalAnswerer::clickButton(box, box->button(QMessageBox::Yes)
                                                    ? QDialogButtonBox::Yes
                                                    : QDialogButtonBox::Ok);
            } else if (dialog) {
                dialogTitles << dialog->windowTitle();
                filters << dialog->nameFilters();
                const QString path = paths.value(dialogTitles.size() - 1);
                // Accepting may ask whether to replace the file, which the
                // answerer must be free to answer.
                QTimer::singleShot(
                    0, dialog, [dialog, path] { ModalAnswerer::acceptFileDialog(dialog, path); });
            }
        });
    }
};

// Picks the item shown as `text`, as a click in the open list does.
void choose(QComboBox *combo, const QString &text)
{
    combo->setCurrentIndex(combo->findText(text));
    QVERIFY2(combo->currentText() == text, qPrintable(text));
    emit combo->activated(combo->currentIndex());
}

// The image bytes, built from the model first when `build`.
QByteArray bytes(PresetImage image, bool build = true)
{
    if (build)
        image.buildImage();
    QByteArray bytes;
    for (int value : image.image())
        bytes.append(char(value));
    return bytes;
}

// "Save Preset As..." into a new file: the image bytes after its 6-byte
// header, or what went wrong.
QByteArray saved(MainWindow &window)
{
    static QTemporaryDir dir;
    static int count = 0;
    DialogScript script;
    script.paths << dir.filePath(QString("saved%1.rsx4pre").arg(++count));
    action(window, "Save Preset As...")->trigger();
    return script.boxes.isEmpty() ? file(script.paths[0]).mid(6) : script.boxes.join("; ").toUtf8();
}

// The window, shown and active.
struct ShownWindow
{
    MainWindow window{{"cuesmith"}};
    PresetImage &preset = window.preset();

    ShownWindow()
    {
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    template <typename T = QWidget> T *find(const QString &name) const
    {
        T *w = window.findChild<T *>(name);
        return w ? w : (qFatal("no widget %s", qPrintable(name)), w);
    }
    // A button of that name or text, clicked on its indicator: check boxes
    // and radio buttons take clicks there only.
    void click(const QString &name) const
    {
        for (QAbstractButton *b : window.findChildren<QAbstractButton *>()) {
            if (b->objectName() == name || (qobject_cast<QRadioButton *>(b) && b->text() == name))
                return QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
        }
    }
    // As from a file: these image bytes, parsed and shown.
    void load(const QList<QPair<int, int>> &bytes)
    {
        for (const auto &b : bytes)
            preset.setImageByte(b.first, b.second);
        preset.parseImage();
        window.requestRedraw();
    }

    // The event page: the slot list above the detail editor.
    QTreeWidget *list = find<QTreeWidget>("slotTree");
    void clickSlot(int row)
    {
        const QRect rect = list->visualItemRect(list->topLevelItem(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(window.selectedSlot(), row);
    }
    void kind(EventKind k) { click(QString("kindButton%1").arg(int(k))); }
    void type(const char *name, const QString &text)
    {
        find(name)->setFocus(Qt::MouseFocusReason);
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, find(name), Qt::Key_unknown, c, Qt::NoModifier);
    }
    void store() { QTest::mouseClick(find<QPushButton>("storeButton"), Qt::LeftButton); }
    int code(int slot) const
    {
        return EventStore::slotCode(preset, window.selectedKind(), window.selectedList(), slot);
    }
    // The record a slot's code names; for a kind without records, the code.
    QByteArray record(int slot) const
    {
        const int pool = EventRecords::poolRegion(EventRecords::kindOfCode(code(slot)));
        if (pool < 0)
            return QByteArray::number(code(slot));
        const int entry = EventRecords::poolEntryOfCode(preset, code(slot));
        QByteArray bytes;
        for (int i = 0; i < 32; ++i)
            bytes.append(char(preset.value(PresetImage::Region(pool), entry, i)));
        return bytes;
    }
    // Store and clear enabled ("sc", "s-", "--") and the checked kind.
    QString state() const
    {
        return QString(find("storeButton")->isEnabled() ? "s" : "-") +
               (find("clearButton")->isEnabled() ? "c " : "- ") +
               QString::number(window.findChild<EventEditor *>()->checkedKind());
    }
};

} // namespace

// The window worked as a user works it: each page, and the file menu. What
// the pages do shows in the bytes of a saved preset.
class tst_mainwindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        VirtualUnit::instance().setPlugged(false);
    }
    void cleanup() { QCOMPARE(visibleTopLevels(), QStringList()); }
    void general();
    void gpioTables();
    void midi();
    void events();
    void eventRefusals();
    void opening_data();
    void opening();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
};

void tst_mainwindow::general()
{
    // As from a file, values no item stands for: kept, but for a setup macro
    // above 12 (corrected to none) and an HPD above 1.
    ShownWindow w;
    const int serial = w.preset.region(PresetImage::SerialConfig).offset;
    const int doublePress = w.preset.region(PresetImage::DoublePressLimit).offset;
    w.load({{15, 13}, {7, 13}, {2, 5}, {14, 17}, {doublePress, 15}, {serial, 10}, {serial + 1, 3}});
    auto *title = w.find<QLineEdit>("titleLine");
    selectEntry(w.window, "General");
    QCOMPARE(title->text(), QString("1.0 Config: General"));
    const char *const names[] = {"setupMacro",       "initialState", "videoHpd", "channelOverride",
                                 "doublePressLimit", "baudRate",     "parity"};
    QStringList shown;
    for (const char *name : names)
        shown << w.find<QComboBox>(name)->currentText();
    QCOMPARE(shown.join('|'), QString("<No Action>||Hold (RSX-4 Controlled)||||"));
    PresetImage expected = w.preset;
    expected.setValue(PresetImage::ConfigBlock, 15, 0);
    expected.setValue(PresetImage::ConfigBlock, 2, 1);
    QCOMPARE(saved(w.window), bytes(expected));

    // The first or the last item of each, applied once the page is left.
    const int positions[] = {15, 7, 2, 14, doublePress, serial, serial + 1};
    expected.buildImage();
    for (int b = 0; b < 7; ++b) {
        auto *combo = w.find<QComboBox>(names[b]);
        const int item = b % 2 ? combo->count() - 1 : 0;
        choose(combo, combo->itemText(item));
        expected.setImageByte(positions[b], b == 4 ? 5 : item);
    }
    selectEntry(w.window, "GPIO Config");
    expected.parseImage();
    QCOMPARE(bytes(w.preset), bytes(expected));

    // Names, typed: sixteen characters at most, with no 0 byte after them.
    const GeneralPage *page = w.window.findChild<GeneralPage *>();
    page->nameEdit()->clear();
    QTest::keyClicks(page->nameEdit(), "ABZ");
    page->descriptionEdit()->clear();
    QTest::keyClicks(page->descriptionEdit(), "ABCDEFGHIJKLMNOPQRST");
    for (int i = 0; i < 16; ++i) {
        expected.setValue(PresetImage::PresetName, i, i < 3 ? "ABZ"[i] : 0);
        expected.setValue(PresetImage::PresetDescription, i, 'A' + i);
    }
    QCOMPARE(saved(w.window), bytes(expected));
}

void tst_mainwindow::gpioTables()
{
    // Values the lists cannot show, in the last row of each table.
    ShownWindow w;
    const PresetImage::Region regions[] = {PresetImage::GpiDebounce, PresetImage::GpiPolarity,
                                           PresetImage::RelayPulse, PresetImage::RelayBootState};
    for (int c = 0; c < 4; ++c)
        w.preset.setValue(regions[c], c < 2 ? 10 : 3, QList<int>{77, 2, 0, 255}[c]);
    w.window.requestRedraw();
    selectEntry(w.window, "GPIO Config");
    ComboTable *tables[] = {w.window.findChild<ComboTable *>("gpiTable"),
                            w.window.findChild<ComboTable *>("relayTable")};
    PresetImage expected = w.preset;
    for (int c = 0; c < 4; ++c) {
        QTreeView *view = tables[c / 2]->tableView();
        const int rows = view->model()->rowCount();
        auto cell = [&](int row) { return view->model()->index(row, 1 + c % 2); };
        // Every item, through the cell's editor, into the model at once.
        for (int i = 0, count = 1; i < count; ++i) {
            const int row = (i + 1) % (rows - 1);
            view->edit(cell(row));
            auto *editor = qobject_cast<QComboBox *>(view->indexWidget(cell(row)));
            count = editor->count();
            const QString text = editor->itemText(i);
            if (editor->currentText() == text)
                QTest::keyClick(editor, Qt::Key_Escape);
            choose(editor, text);
            const int value = c % 2 ? i : QList<int>{5, 10, 20, 50, 100, 150, 200}[i];
            QCOMPARE(w.preset.value(regions[c], row), value);
            expected.setValue(regions[c], row, value);
            QTRY_VERIFY(!view->indexWidget(cell(row)));
        }
        // The value no item stands for: shown empty, and kept.
        QCOMPARE(cell(rows - 1).data().toString(), QString());
    }
    QCOMPARE(saved(w.window), bytes(expected));
}

void tst_mainwindow::midi()
{
    // As from a file: a control port above 3 and a port direction of 2.
    ShownWindow w;
    w.load({{3, 0x5A}, {8, 2}});
    selectEntry(w.window, "MIDI Config");
    auto *port = w.find<QComboBox>("controlPort");
    auto *channel = w.find<QComboBox>("controlChannel");
    QCOMPARE(port->currentText() + "|" + channel->currentText(), QString("|11"));
    for (QRadioButton *radio : w.window.findChildren<QRadioButton *>())
        QVERIFY(radio->text() != "MIDI IN 1" || radio->isChecked());
    // A new channel keeps the port it cannot show.
    choose(channel, "3");
    QCOMPARE(int(quint8(saved(w.window).at(3))), 0x52);

    PresetImage expected = w.preset;
    choose(port, "Input 2");
    choose(channel, "11");
    w.click("MIDI OUT A");
    w.click("MIDI IN 2");
    for (const auto &g : {qMakePair(1, 0), qMakePair(2, 2), qMakePair(4, 3)}) {
        w.click(QString("group%1Output%2").arg(g.first).arg(g.second));
        const int flag = expected.value(PresetImage::RoutingGroups, g.first - 1, g.second);
        expected.setValue(PresetImage::RoutingGroups, g.first - 1, g.second, 1 - flag);
    }
    for (const auto &b : {qMakePair(3, 0x2A), qMakePair(8, 1), qMakePair(9, 0)})
        expected.setValue(PresetImage::ConfigBlock, b.first, b.second);

    // Cells are 25 pixels wide and share the height below 79-pixel label
    // bands; a destination takes one source, and a second click clears it.
    const MidiPage *page = w.window.findChild<MidiPage *>();
    RoutingGrid *grids[] = {page->patchA(), page->patchB()};
    const int h = (grids[0]->height() - 79) / 6;
    auto clickAt = [&](int patch, int x, int y) {
        QTest::mouseClick(grids[patch], Qt::LeftButton, {}, QPoint(79 + x, 79 + y));
    };
    clickAt(0, 0, 0);              // cell 0,0
    clickAt(0, 24, h - 1);         // cell 0,0 again
    clickAt(0, 2 * 25, 0);         // cell 0,2
    clickAt(0, 6 * 25 - 1, h - 1); // cell 0,5
    clickAt(0, 4 * 25 + 9, 2 * h); // unroutable: USB A to USB A
    clickAt(1, 25, 5 * h);         // cell 5,1
    clickAt(1, 49, 5 * h - 1);     // cell 4,1 takes destination 1
    clickAt(1, 199, 6 * h - 1);    // cell 5,7
    clickAt(1, -1, 100);           // the label band
    clickAt(1, 100, 6 * h);        // below the last row
    expected.setValue(PresetImage::RoutingPatchA, 0, 2, 1);
    expected.setValue(PresetImage::RoutingPatchA, 0, 5, 1);
    expected.setValue(PresetImage::RoutingPatchB, 4, 1, 1);
    expected.setValue(PresetImage::RoutingPatchB, 5, 7, 1);
    QCOMPARE(saved(w.window), bytes(expected));
}

void tst_mainwindow::events()
{
    ShownWindow page;
    selectEntry(page.window, "XLR 3 (GPI 11)");
    QCOMPARE(page.find<QLineEdit>("titleLine")->text(),
             QString("2.10 Input Trigger: XLR 3 (GPI 11)"));
    page.clickSlot(0);
    page.kind(EventKind::Midi);
    choose(page.find<QComboBox>("midiPort"), "USB A");
    choose(page.find<QComboBox>("midiType"), "Note On");
    page.find<QSpinBox>("midiChannel")->setValue(10);
    page.find<QSpinBox>("midiData1")->setValue(36);
    page.find<QSpinBox>("midiData2")->setValue(0);
    page.store();
    // Typed without its framing (letters past F refused), stored without leaving the field.
    page.clickSlot(1);
    page.kind(EventKind::SysEx);
    page.type("sysexField", "43 1x0 4cg");
    QCOMPARE(page.find<QLineEdit>("sysexField")->text(), QString("43 10 4c"));
    page.find<QPushButton>("storeButton")->click();
    page.clickSlot(2);
    page.kind(EventKind::Relay);
    choose(page.find<QComboBox>("relayNumber"), "3");
    choose(page.find<QComboBox>("relayAction"), "Pulse ON");
    page.store();
    // Text held as Latin-1: what it lacks cannot be typed.
    page.clickSlot(4);
    page.kind(EventKind::Serial);
    page.click("serialAscii");
    page.click("serialCr");
    page.type("serialField", QString::fromUtf8("Gain \u20ac\u00e9t\u00e9"));
    // The prompt names the length the field keeps.
    QStringList prompts;
    for (QLabel *label : page.window.findChildren<QLabel *>())
        prompts << label->text();
    QVERIFY(prompts.contains("Enter Serial Data in Hex or ASCII format (Max 28 bytes)"));
    page.store();
    page.clickSlot(5);
    page.kind(EventKind::System);
    choose(page.find<QComboBox>("systemEvent"), "Toggle USB");
    page.store();
    page.clickSlot(3);
    page.kind(EventKind::Macro);
    choose(page.find<QComboBox>("macroAction"), "Toggle Pair 5-6");
    page.store();

    QStringList shown;
    for (int i = 0; i < page.list->topLevelItemCount(); ++i)
        shown << page.list->topLevelItem(i)->text(1);
    QCOMPARE(shown.join(", "),
             QString("MIDI: Note On 36, Vel 0, Chan 10 [USB A], MIDI SYSEX: 5 "
                     "Bytes [MIDI Group 1], RELAY: Relay 3 Pulse ON, MACRO: Toggle Macro Pair 5-6, "
                     "SERIAL: 8 Bytes, SYSTEM: Toggle USB, empty slot, "
                     "empty slot"));
    PresetImage expected;
    for (int slot = 0; slot < 6; ++slot)
        expected.setValue(PresetImage::TriggerSlots, 10, slot,
                          QList<int>{1, 65, 97, 143, 145, 217}[slot]);
    EventRecords::writeMidi(expected, 0, {5, 0x99, 36, 0});
    EventRecords::writeSysex(expected, 0, {1, hex("f043104cf7")});
    EventRecords::writeRelay(expected, 0, {3, 2});
    EventRecords::writeSerial(expected, 0, {true, true, false, hex("4761696e20e974e9")});
    QCOMPARE(saved(page.window), bytes(expected));

    // With every field first left at another value, each event shown and
    // then stored into the empty last slot, which leaves the editor as it
    // was, gives the same event: showing set every field, and the store read
    // every field.
    auto *editor = page.window.findChild<EventEditor *>();
    for (QComboBox *combo : editor->findChildren<QComboBox *>())
        combo->setCurrentIndex(combo->count() - 1);
    for (QSpinBox *spin : editor->findChildren<QSpinBox *>())
        spin->setValue(spin->maximum());
    for (QCheckBox *box : editor->findChildren<QCheckBox *>())
        box->toggle();
    for (ByteLineEdit *field : editor->findChildren<ByteLineEdit *>())
        field->setBytes("\x7f");
    page.find<QRadioButton>("serialHex")->setChecked(true);
    for (int slot = 0; slot < 6; ++slot) {
        page.clickSlot(slot);
        page.clickSlot(7);
        QCOMPARE(page.state(),
                 QString("s- %1").arg(int(EventRecords::kindOfCode(page.code(slot)))));
        page.store();
        QCOMPARE(EventRecords::kindOfCode(page.code(7)), EventRecords::kindOfCode(page.code(slot)));
        QCOMPARE(page.record(7), page.record(slot));
        page.clickSlot(7);
        QTest::mouseClick(page.find<QPushButton>("clearButton"), Qt::LeftButton);
        QCOMPARE(page.code(7), 0);
    }
}

void tst_mainwindow::eventRefusals()
{
    ShownWindow page;
    for (int entry = 0; entry < 32; ++entry)
        EventRecords::writeRelay(page.preset, entry, {1, 0});
    EventRecords::writeMidi(page.preset, 0, {1, 0x90, 60, 100});
    page.preset.setValue(PresetImage::TriggerSlots, 0, 1, 1);
    selectEntry(page.window, "GPI 1");
    page.clickSlot(1);

    // A full pool: the box, and nothing changed, not even what the user composed.
    page.kind(EventKind::Relay);
    const QByteArray before = bytes(page.preset);
    DialogScript script;
    page.store();
    QCOMPARE(script.boxes, QStringList("Store Event | The preset has no free entry left for a "
                                       "relay event: a preset holds at most 32 relay events, "
                                       "shared by all inputs, switches and macros.\n\nClear one "
                                       "of them to make room. The slot was left as it was."));
    QCOMPARE(bytes(page.preset), before);
    QCOMPARE(page.state() + page.list->currentItem()->text(0), QString("sc 32"));

    // "Run Macro" is refused in a macro's own list.
    QVERIFY(page.find("kindButton5")->isEnabled());
    selectEntry(page.window, "Macro 3");
    QVERIFY(!page.find("kindButton5")->isEnabled());
}

void tst_mainwindow::opening_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("loaded"); // image bytes taken from the file, -1 for a refusal
    QByteArray image;
    for (int i = 0; i < 1760; ++i)
        image.append(char(i * 7 + 3));
    QTest::newRow("earlier") << hex("00234abd01ff") + image << QStringList(Earlier) << 1760;
    QTest::newRow("old magic, 1232 bytes")
        << hex("00234abc0200") + image.left(1232) << QStringList(Earlier) << 1232;
    QTest::newRow("later") << hex("00234abd0201") + image << QStringList{Later, OpenFailed} << -1;
    QTest::newRow("foreign") << "\x89PNG\r\n\x1a\n" + image << QStringList(OpenFailed) << -1;
}

void tst_mainwindow::opening()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, boxes);
    QFETCH(int, loaded);
    QTemporaryDir dir;
    file(dir.filePath("file.rsx4pre"), data);
    ShownWindow w;
    w.load({{32, 'Z'}, {1234, 9}});
    const QByteArray before = bytes(w.preset, false);

    DialogScript script;
    script.paths << dir.filePath("file.rsx4pre");
    action(w.window, "Open Preset...")->trigger();
    QCOMPARE(script.dialogTitles, QStringList("Open Preset File"));
    QCOMPARE(script.filters, QList<QStringList>{{"RSX-4 Preset Files (*.rsx4pre)"}});
    QCOMPARE(script.boxes, boxes);
    // What the file lacks is taken from a new preset; a refused file changes nothing.
    QCOMPARE(bytes(w.preset, false),
             loaded < 0 ? before : data.mid(6, loaded) + bytes(PresetImage()).mid(loaded));

    // Developer mode only by "-devMode" right after the program's name.
    QVERIFY(!w.window.isDevMode() && MainWindow({"cuesmith", "-devMode"}).isDevMode());
    QVERIFY(!MainWindow({"cuesmith", "-devmode"}).isDevMode());
    action(w.window, "About")->trigger();
    QVERIFY2(script.boxes.last().startsWith("About Cuesmith | <h2>RSX-4 Cuesmith v1.6.1</h2>") &&
                 script.boxes.last().contains("<p>Build 10/05/19 RC.</p>"),
             qPrintable(script.boxes.last()));
}

void tst_mainwindow::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<QString>("fault");
    // The file system refuses to grow any file past a limit, as a full disk
    // does; or, once the new file is written, to put it in place of the old
    // one, as even root may not in an append-only directory.
    for (const char *fault : {"0", "100", "1765", "append-only"})
        QTest::newRow(fault) << fault;
}

void tst_mainwindow::failedSaveKeepsOldFile()
{
    QFETCH(QString, fault);
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.rsx4pre");
    const QByteArray old = file(path, hex("00234abd0200") + QByteArray(1760, 'o'));
    const int folder = ::open(QFile::encodeName(dir.path()).constData(), O_RDONLY);
    int flags = 0;
    const bool appendOnly = fault == "append-only" && !ioctl(folder, FS_IOC_GETFLAGS, &flags) &&
                            !ioctl(folder, FS_IOC_SETFLAGS, &(flags |= FS_APPEND_FL));
    if (fault == "append-only" && !appendOnly)
        QSKIP("No append-only flag here (file system or privileges)");
    ShownWindow w;
    DialogScript script;
    script.paths << path;
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    bool sized = false;
    small.rlim_cur = fault.toInt(&sized);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, sized ? &small : &saved), 0);
    action(w.window, "Save Preset As...")->trigger();
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
    flags &= ~FS_APPEND_FL;
    QVERIFY(!appendOnly || !ioctl(folder, FS_IOC_SETFLAGS, &flags));
    ::close(folder);

    // Asked whether to replace the file, then told of the failure; the old
    // file as it was, and nothing left behind but what an append-only
    // directory keeps.
    QCOMPARE(script.boxes.size(), 2);
    QCOMPARE(script.boxes[1], QString("File Operation | Unable to Save Preset File"));
    QCOMPARE(file(path), old);
    QCOMPARE(
        QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).size(),
        appendOnly ? 2 : 1);
}

QTEST_MAIN(tst_mainwindow)
#include "tst_mainwindow.moc"
