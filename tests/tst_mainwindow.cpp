#include "ByteLineEdit.h"
#include "DialogScript.h"
#include "EventRecords.h"
#include "EventStore.h"
#include "GeneralPage.h"
#include "MidiPage.h"
#include "TopLevels.h"
#include "VirtualUnit.h"
#include "WindowDriver.h"
#include "detailsitems.h"
#include "eepromMapWidget.h"
#include "gpiConfigWidget.h"
#include "gridWidget.h"
#include "relayConfigWidget.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardItemModel>
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

const QVector<int> DurationCodes = {5, 10, 20, 50, 100, 150, 200};
const QByteArray Header = QByteArray::fromHex("00234abd0200");
const QString Earlier = "File Operation | This preset file was created with an earlier version "
                        "of Cuesmith. Please be aware that saving in this version will prevent "
                        "loading in the earlier version.";
const QString Later = "File Operation | This preset file was created with a later version of "
                      "Cuesmith. Please upgrade to the latest version.";
const QString OpenFailed = "File Operation | Unable to Open Preset File";
const QString SaveFailed = "File Operation | Unable to Save Preset File";

QByteArray hex(const QString &digits)
{
    return QByteArray::fromHex(digits.toLatin1());
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(data) == data.size());
}

// Sets or clears an inode flag; false where the file system or privileges refuse.
bool setFileFlag(const QString &path, int flag, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | flag : flags & ~flag;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}

enum Fault { SizeLimit, LongName, AppendOnlyDirectory, ImmutableFile, BecomesDirectory, InAFile };

// The event page: the slot list above the detail editor.
struct EventPage : ShownWindow
{
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
        typeText(find(name), text);
    }
    void store() { QTest::mouseClick(find<QPushButton>("storeButton"), Qt::LeftButton); }
    int code(int slot) const
    {
        return EventStore::slotCode(preset, window.selectedKind(), window.selectedList(), slot);
    }
    // The record a slot's code names, `length` bytes of it.
    QByteArray record(int slot, int length) const
    {
        const int pool = EventRecords::poolRegion(EventRecords::kindOfCode(code(slot)));
        const int entry = EventRecords::poolEntryOfCode(preset, code(slot));
        QByteArray bytes;
        for (int i = 0; i < length; ++i)
            bytes.append(char(preset.value(PresetImage::Region(pool), entry, i)));
        return bytes;
    }
    // Each slot's description, then store and clear enabled and the checked kind.
    QString state() const
    {
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts << list->topLevelItem(i)->text(1);
        return texts.join(", ") + (find("storeButton")->isEnabled() ? " s" : " -") +
               (find("clearButton")->isEnabled() ? "c " : "- ") +
               QString::number(window.findChild<detailsitems *>()->checkedKind());
    }
};

} // namespace

// The window worked as a user works it: each page, and the menus. What the
// pages do shows in the bytes of a saved preset.
class tst_mainwindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        VirtualUnit::instance().setPlugged(false);
    }
    void cleanup()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(visibleTopLevels(), QStringList());
    }
    void general();
    void gpioTables();
    void midi();
    void events();
    void showThenStore_data();
    void showThenStore();
    void eventButtonsAndRefusals();
    void titlesAndAbout();
    void developerMode_data();
    void developerMode();
    void opening_data();
    void opening();
    void fileActions();
    void failedSaveKeepsOldFile_data();
    void failedSaveKeepsOldFile();
    // Last: once the application was told to quit, no dialog runs any more.
    void quit();
};

void tst_mainwindow::general()
{
    // As from a file, values no item stands for: kept, but for a setup macro
    // above 12 (corrected to none) and an HPD above 1.
    ShownWindow w;
    const int serial = w.preset.region(PresetImage::SerialConfig).offset;
    const int doublePress = w.preset.region(PresetImage::DoublePressLimit).offset;
    w.load({{15, 13}, {7, 13}, {2, 5}, {14, 17}, {doublePress, 15}, {serial, 10}, {serial + 1, 3}});
    selectEntry(w.window, "General");
    const char *const names[] = {"setupMacro",       "initialState", "videoHpd", "channelOverride",
                                 "doublePressLimit", "baudRate",     "parity"};
    const QPair<PresetImage::Region, int> places[] = {
        {PresetImage::ConfigBlock, 15},     {PresetImage::ConfigBlock, 7},
        {PresetImage::ConfigBlock, 2},      {PresetImage::ConfigBlock, 14},
        {PresetImage::DoublePressLimit, 0}, {PresetImage::SerialConfig, 0},
        {PresetImage::SerialConfig, 1}};
    QStringList shown, items;
    for (const char *name : names) {
        auto *combo = w.find<QComboBox>(name);
        shown << combo->currentText();
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
    }
    QCOMPARE(shown.join('|'), QString("<No Action>||Hold (RSX-4 Controlled)||||"));
    QCOMPARE(items.join('|'),
             QString("<No Action>|Macro 1|Macro 2|Macro 3|Macro 4|Macro 5|Macro 6|Macro 7|Macro "
                     "8|Macro 9|Macro 10|Macro 11|Macro 12|<No Action>|Macro 1|Macro 2|Macro "
                     "3|Macro 4|Macro 5|Macro 6|Macro 7|Macro 8|Macro 9|Macro 10|Macro 11|Macro "
                     "12|Normal (Display Controlled)|Hold (RSX-4 "
                     "Controlled)|Off|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|50ms|100ms|200ms|"
                     "500ms|1.0s|1.5s|2.0s|2400|4800|9600|14400|19200|38400|57600|115200|230400|"
                     "460800|None|Odd|Even"));
    PresetImage expected = w.preset;
    expected.setValue(PresetImage::ConfigBlock, 15, 0);
    expected.setValue(PresetImage::ConfigBlock, 2, 1);
    QCOMPARE(savedImage(w.window), built(expected));

    // Each item reaches the model once the page is left, and shows again.
    for (int b = 0; b < 7; ++b) {
        auto *combo = w.find<QComboBox>(names[b]);
        for (int i = combo->count() - 1; i >= 0; --i) {
            choose(combo, combo->itemText(i));
            selectEntry(w.window, "GPIO Config");
            const int value = b == 4 ? DurationCodes[i] : i;
            QCOMPARE(w.preset.value(places[b].first, places[b].second), value);
            expected.setValue(places[b].first, places[b].second, value);
            selectEntry(w.window, "General");
            QCOMPARE(combo->currentIndex(), i);
        }
    }

    // Names are written whole on every keystroke, both of them.
    const GeneralPage *page = w.window.findChild<GeneralPage *>();
    page->nameEdit()->setFocus();
    QTest::keyClick(page->nameEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(page->nameEdit(), "AB");
    for (int i = 0; i < 16; ++i)
        w.preset.setValue(PresetImage::PresetDescription, i, 99);
    QTest::keyClicks(page->nameEdit(), "Z");
    QCOMPARE(w.preset.value(PresetImage::PresetName, 2), int('Z'));
    QCOMPARE(w.preset.value(PresetImage::PresetDescription, 0), int('d'));
    QCOMPARE(w.preset.value(PresetImage::PresetDescription, 9), 0);
    // Sixteen characters at most, with no 0 byte after them.
    page->descriptionEdit()->clear();
    QTest::keyClicks(page->descriptionEdit(), "ABCDEFGHIJKLMNOPQRST");
    for (int i = 0; i < 16; ++i) {
        expected.setValue(PresetImage::PresetName, i, i < 3 ? "ABZ"[i] : 0);
        expected.setValue(PresetImage::PresetDescription, i, 'A' + i);
    }
    QCOMPARE(savedImage(w.window), built(expected));
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
    comboTableWidget *tables[] = {w.window.findChild<gpiConfigWidget *>(),
                                  w.window.findChild<relayConfigWidget *>()};
    PresetImage expected = w.preset;
    QStringList texts;
    for (int c = 0; c < 4; ++c) {
        QTreeView *view = tables[c / 2]->tableView();
        const int rows = view->model()->rowCount();
        auto cell = [&](int row) { return view->model()->index(row, 1 + c % 2); };
        QCOMPARE(cell(rows - 1).data().toString(), QString());
        // Every item, through the cell's editor, into the model at once.
        for (int i = 0, count = 1; i < count; ++i) {
            const int row = (i + 1) % (rows - 1);
            view->edit(cell(row));
            auto *editor = qobject_cast<QComboBox *>(view->indexWidget(cell(row)));
            count = editor->count();
            const QString before = cell(row).data().toString();
            QCOMPARE(editor->currentText(), before);
            texts << editor->itemText(i);
            choose(editor, texts.last());
            if (before == texts.last())
                QTest::keyClick(editor, Qt::Key_Escape);
            const int value = c % 2 ? i : DurationCodes[i];
            QCOMPARE(w.preset.value(regions[c], row), value);
            expected.setValue(regions[c], row, value);
            QCOMPARE(cell(row).data().toString(), texts.last());
            QTRY_VERIFY(!view->indexWidget(cell(row)));
        }
        // An empty cell's editor confirmed without a choice writes nothing.
        view->edit(cell(rows - 1));
        QTest::keyClick(view->indexWidget(cell(rows - 1)), Qt::Key_Return);
        QTRY_VERIFY(!view->indexWidget(cell(rows - 1)));
    }
    QCOMPARE(texts.join('|'), QString("50ms|100ms|200ms|500ms|1.0s|1.5s|2.0s|On Press|On "
                                      "Release|50ms|100ms|200ms|500ms|1.0s|1.5s|2.0s|Relay "
                                      "OFF|Relay ON"));
    QCOMPARE(savedImage(w.window), built(expected));
}

void tst_mainwindow::midi()
{
    // As from a file: a control port above 3, a port direction of 2, group flags.
    ShownWindow w;
    w.load({{3, 0x5A}, {8, 2}, {12, 0x05}});
    selectEntry(w.window, "MIDI Config");
    auto *port = w.find<QComboBox>("controlPort");
    auto *channel = w.find<QComboBox>("controlChannel");
    QCOMPARE(port->currentText() + "|" + channel->currentText(), QString("|11"));
    for (QRadioButton *radio : w.window.findChildren<QRadioButton *>())
        QVERIFY(radio->text() != "MIDI IN 1" || radio->isChecked());
    for (int k = 0; k < 4; ++k)
        QCOMPARE(w.find<QCheckBox>(QString("group3Output%1").arg(k))->isChecked(), k % 2 == 0);
    // A new channel keeps the port it cannot show.
    choose(channel, "3");
    QCOMPARE(int(quint8(savedImage(w.window).at(3))), 0x52);

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
    expected.setValue(PresetImage::ConfigBlock, 3, 0x2A);
    expected.setValue(PresetImage::ConfigBlock, 8, 1);
    expected.setValue(PresetImage::ConfigBlock, 9, 0);

    // Cells are 25 pixels wide and share the height below 79-pixel label
    // bands; a destination takes one source, and a second click clears it.
    const MidiPage *page = w.window.findChild<MidiPage *>();
    gridWidget *grids[] = {page->patchA(), page->patchB()};
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
    QCOMPARE(savedImage(w.window), built(expected));
}

void tst_mainwindow::events()
{
    EventPage page;
    selectEntry(page.window, "GPI 3");
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
    QCOMPARE(page.find<ByteLineEdit>("sysexField")->text(), QString("43 10 4c"));
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
    page.store();
    page.clickSlot(5);
    page.kind(EventKind::System);
    choose(page.find<QComboBox>("systemEvent"), "Toggle USB");
    page.store();

    QString shown = "MIDI: Note On 36, Vel 0, Chan 10 [USB A], MIDI SYSEX: 5 Bytes [MIDI Group "
                    "1], RELAY: Relay 3 Pulse ON, %1SERIAL: 8 Bytes, SYSTEM: Toggle USB, empty "
                    "slot, empty slot%2 -- -1";
    QCOMPARE(page.state(), shown.arg("empty slot, ", ""));
    PresetImage expected;
    for (int slot : {0, 1, 2, 4, 5})
        expected.setValue(PresetImage::TriggerSlots, 2, slot,
                          QList<int>{1, 65, 97, 0, 145, 217}[slot]);
    EventRecords::writeMidi(expected, 0, {5, 0x99, 36, 0});
    EventRecords::writeSysex(expected, 0, {1, hex("f043104cf7")});
    EventRecords::writeRelay(expected, 0, {3, 2});
    EventRecords::writeSerial(expected, 0, {true, true, false, hex("4761696e20e974e9")});
    QString path;
    const QByteArray saved = savedImage(page.window, &path);
    QCOMPARE(saved, built(expected));

    // Opened again: saving packed the list, and the text shows as typed.
    {
        DialogScript script;
        script.paths << path;
        action(page.window, "Open Preset...")->trigger();
    }
    QCOMPARE(page.state(), shown.arg("", ", empty slot"));
    page.clickSlot(3);
    QCOMPARE(page.find<ByteLineEdit>("serialField")->text(),
             QString::fromUtf8("Gain \u00e9t\u00e9"));
    page.store();
    QCOMPARE(savedImage(page.window), saved);
}

void tst_mainwindow::showThenStore_data()
{
    // "code, record loaded, kind shown, record stored | a field | its text";
    // a record stored as loaded is "=", a kind without records has "-".
    QTest::addColumn<QString>("row");
    const char *const rows[] = {
        "1 05992400 1 = | midiType | Note On",
        "1 09b50700 1 = | midiType | Control Change",
        "65 0208f0437e7f0601f7 2 = | sysexField | F0 43 7E 7F 06 01 F7",
        "97 0302 3 = | relayAction | Pulse ON",
        "230 - 4 - | systemEvent | Suspend 500ms",
        "143 - 5 - | macroAction | Toggle Pair 5-6",
        "145 070000010d0a1b 6 = | serialField | 0D 0A 1B",
        "146 0801010048e90041 6 = | serialField | H\u00e9",
        // Out of range, as loaded from a file: shown as the editor can, stored corrected.
        "1 0099247f 1 0199247f",
        "1 1240c8ff 1 01807f7f",
        "1 09f50102 1 09800102",
        "97 0009 3 0100",
        "97 0703 3 0103",
        "65 0000 2 0101",
        "65 0ac8101112131415161718191a1b1c1d1e1f202122232425262728292a2b2c2d 2 "
        "011f101112131415161718191a1b1c1d1e1f202122232425262728292a2b2c2d",
        "145 02070100 6 04000100",
        "145 fa0100014141414141414141414141414141414141414141414141414141 6 "
        "200100014141414141414141414141414141414141414141414141414141",
        "81 - -1 -",
        "170 - -1 -",
    };
    for (const char *row : rows)
        QTest::newRow(row) << QString::fromUtf8(row);
}

void tst_mainwindow::showThenStore()
{
    QFETCH(QString, row);
    const QStringList parts = row.split(" | ");
    const QStringList f = parts[0].split(' ');
    const int code = f[0].toInt();
    const int kind = f[2].toInt();
    const QByteArray stored = hex(f[3] == "=" ? f[1] : f[3]);

    EventPage page;
    page.preset.setValue(PresetImage::TriggerSlots, 6, 3, code);
    selectEntry(page.window, "GPI 7");
    const int pool = EventRecords::poolRegion(EventRecords::kindOfCode(code));
    for (int i = 0; i < hex(f[1]).size(); ++i)
        page.preset.setValue(PresetImage::Region(pool),
                             EventRecords::poolEntryOfCode(page.preset, code), i,
                             quint8(hex(f[1])[i]));
    const QByteArray before = built(page.preset);
    page.clickSlot(3);
    QCOMPARE(page.state().section(' ', -2), QString("sc %1").arg(kind));
    if (parts.size() > 1)
        QCOMPARE(page.find(parts[1])->property(parts[1].endsWith("Field") ? "text" : "currentText"),
                 QVariant(parts[2]));
    QCOMPARE(built(page.preset), before);

    // Stored into an empty slot, which leaves the editor as it was: every
    // field was shown, and the store read every field.
    page.clickSlot(4);
    page.store();
    if (kind < 0) {
        // Nothing to store: an empty slot stays empty, a full one is emptied.
        QCOMPARE(page.code(4), 0);
        page.clickSlot(3);
        page.store();
        QCOMPARE(page.code(3), 0);
        page.preset.setValue(PresetImage::TriggerSlots, 6, 3, code);
        QCOMPARE(built(page.preset), before);
        return;
    }
    QCOMPARE(int(EventRecords::kindOfCode(page.code(4))), kind);
    QCOMPARE(page.record(4, stored.size()), stored);
    if (stored.isEmpty())
        QCOMPARE(page.code(4), code);
}

void tst_mainwindow::eventButtonsAndRefusals()
{
    EventPage page;
    for (int entry = 0; entry < 32; ++entry)
        EventRecords::writeRelay(page.preset, entry, {1, 0});
    EventRecords::writeMidi(page.preset, 0, {1, 0x90, 60, 100});
    page.preset.setValue(PresetImage::TriggerSlots, 0, 1, 1);
    selectEntry(page.window, "GPI 1");
    QStringList states(page.state().section(' ', -2));
    for (int slot : {0, 1, 2, 1}) {
        page.clickSlot(slot);
        states << page.state().section(' ', -2);
    }
    // An empty slot keeps what the editor shows.
    QCOMPARE(states, QStringList({"-- -1", "s- -1", "sc 1", "s- 1", "sc 1"}));

    // A full pool: the box, and nothing changed, not even what the user composed.
    page.kind(EventKind::Relay);
    const QByteArray before = built(page.preset);
    DialogScript script;
    page.store();
    QCOMPARE(script.boxes, QStringList("Store Event | The preset has no free entry left for a "
                                       "relay event: a preset holds at most 32 relay events, "
                                       "shared by all inputs, switches and macros.\n\nClear one "
                                       "of them to make room. The slot was left as it was."));
    QCOMPARE(built(page.preset), before);
    QCOMPARE(page.state().section(' ', -2), QString("sc 3"));
    QCOMPARE(page.list->currentIndex().row(), 1);
    // A MIDI event in its place takes back the entry it frees.
    page.kind(EventKind::Midi);
    page.find<QSpinBox>("midiData1")->setValue(72);
    page.store();
    QCOMPARE(page.code(1), 1);
    QCOMPARE(page.record(1, 4), hex("01904864"));
    QCOMPARE(page.state().section(' ', -2), QString("-- -1"));
    page.clickSlot(1);
    QTest::mouseClick(page.find<QPushButton>("clearButton"), Qt::LeftButton);
    QCOMPARE(page.code(1), 0);
    QCOMPARE(page.state().section(' ', -2), QString("-- -1"));

    // "Run Macro" is refused in a macro's own list; a macro action loaded
    // there shows in its combo box only.
    QVERIFY(page.find("kindButton5")->isEnabled());
    page.preset.setValue(PresetImage::MacroSlots, 2, 0, 133);
    selectEntry(page.window, "Macro 3");
    QVERIFY(!page.find("kindButton5")->isEnabled());
    page.clickSlot(0);
    QCOMPARE(page.state().section(' ', -2), QString("sc -1"));
    QCOMPARE(page.find<QComboBox>("macroAction")->currentText(), QString("Macro 5"));
    QCOMPARE(script.boxes.size(), 1);
}

void tst_mainwindow::titlesAndAbout()
{
    ShownWindow w;
    auto *title = w.find<QLineEdit>("titleLine");
    QStringList titles(title->text());
    for (const char *entry :
         {"General", "MIDI Config", "XLR 3 (GPI 11)", "Remote Switch B", "Macros", "Macro 12"}) {
        selectEntry(w.window, entry);
        titles << title->text();
    }
    QCOMPARE(titles,
             QStringList({"<No Selection>", "1.0 Config: General", "1.2 Config: MIDI",
                          "2.10 Input Trigger: XLR 3 (GPI 11)", "3.3 Unit Control: Remote Switch B",
                          "<No Selection>", "4.11 Macro List: Macro 12"}));
    DialogScript script;
    action(w.window, "About")->trigger();
    QCOMPARE(script.boxes.size(), 1);
    QVERIFY2(script.boxes[0].startsWith("About Cuesmith | <h2>RSX-4 Cuesmith v1.6.1</h2>") &&
                 script.boxes[0].contains("<p>Build 10/05/19 RC.</p>"),
             qPrintable(script.boxes[0]));
}

void tst_mainwindow::developerMode_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("devMode");
    QTest::newRow("none") << QStringList{"cuesmith"} << false;
    QTest::newRow("-devMode") << QStringList{"cuesmith", "-devMode"} << true;
    QTest::newRow("lower case") << QStringList{"cuesmith", "-devmode"} << false;
    QTest::newRow("second") << QStringList{"cuesmith", "x", "-devMode"} << false;
    QTest::newRow("program name") << QStringList{"-devMode"} << false;
}

void tst_mainwindow::developerMode()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, devMode);
    MainWindow window(arguments);
    QAction *show = action(window, "Show Eeprom Map");
    bool inMenu = false;
    for (QWidget *w : show->associatedWidgets())
        inMenu = inMenu || qobject_cast<QMenu *>(w);
    QCOMPARE(inMenu, devMode);

    // The map shows the image built from the model when it opened.
    window.preset().setValue(PresetImage::PresetName, 0, 'A');
    show->trigger();
    window.preset().setValue(PresetImage::PresetName, 0, 'B');
    auto *map = window.findChild<eepromMapWidget *>();
    const auto *model = map->findChild<QStandardItemModel *>();
    QCOMPARE(
        QStringList({map->windowTitle(), model->item(0, 0)->text(), model->item(2, 0)->text()}),
        QStringList({"RSX-4 Eeprom Data View", "235", "65"}));
    QCOMPARE(model->item(0, 0)->background().color(), QColor(Qt::darkGreen));
    QCOMPARE(model->item(109, 15)->background().style(), Qt::NoBrush);
    map->close();
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
    QTest::newRow("old magic, later")
        << hex("00234abc0201") + image << QStringList{Earlier, Later, OpenFailed} << -1;
    QTest::newRow("foreign") << "\x89PNG\r\n\x1a\n" + image << QStringList(OpenFailed) << -1;
    QTest::newRow("empty") << QByteArray() << QStringList(OpenFailed) << -1;
}

void tst_mainwindow::opening()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, boxes);
    QFETCH(int, loaded);
    QTemporaryDir dir;
    writeFile(dir.filePath("file.rsx4pre"), data);
    ShownWindow w;
    w.load({{32, 'Z'}, {1234, 9}});
    const QByteArray before = imageBytes(w.preset);
    const QByteArray model = built(w.preset);

    DialogScript script;
    script.paths << dir.filePath("file.rsx4pre");
    action(w.window, "Open Preset...")->trigger();
    QCOMPARE(script.dialogTitles, QStringList("Open Preset File"));
    QCOMPARE(script.boxes, boxes);
    // What the file lacks is taken from a new preset; a refused file changes nothing.
    QCOMPARE(imageBytes(w.preset),
             loaded < 0 ? before : data.mid(6, loaded) + built(PresetImage()).mid(loaded));
    if (loaded < 0)
        QCOMPARE(built(w.preset), model);
}

void tst_mainwindow::fileActions()
{
    // A new preset saved as it is.
    ShownWindow w;
    selectEntry(w.window, "Macro 3");
    DialogScript script;
    QTemporaryDir dir;
    script.paths << dir.filePath("new.rsx4pre");
    action(w.window, "Save Preset As...")->trigger();
    QCOMPARE(script.dialogTitles, QStringList("Save Preset File"));
    QCOMPARE(script.filters, QList<QStringList>{{"RSX-4 Preset Files (*.rsx4pre)"}});
    QCOMPARE(fileBytes(dir.filePath("new.rsx4pre")), Header + built(PresetImage()));

    // Cancelled dialogs change nothing.
    w.load({{32, 'Z'}});
    const QByteArray loaded = built(w.preset);
    script.paths << QString() << QString();
    action(w.window, "Save Preset As...")->trigger();
    action(w.window, "Open Preset...")->trigger();
    QCOMPARE(built(w.preset), loaded);
    QCOMPARE(script.dialogTitles.size(), 3);
    QVERIFY(!script.boxes.contains(SaveFailed));

    // New, with nothing unsaved, keeps the selection and its page.
    action(w.window, "New Preset")->trigger();
    QCOMPARE(built(w.preset), built(PresetImage()));
    QCOMPARE(w.find<QLineEdit>("titleLine")->text(), QString("4.2 Macro List: Macro 3"));
    QCOMPARE(w.window.selectedList(), 2);
}

void tst_mainwindow::failedSaveKeepsOldFile_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("limit");
    // The file system refuses to grow any file past the limit, as a full disk does.
    QTest::newRow("no byte fits") << int(SizeLimit) << 0;
    QTest::newRow("cut in the image") << int(SizeLimit) << 100;
    QTest::newRow("one byte short") << int(SizeLimit) << 1765;
    // No room for the temporary name beside a name of 250 characters.
    QTest::newRow("temporary name too long") << int(LongName) << 0;
    // Even root may not replace an entry of an append-only directory, nor
    // write an immutable file.
    QTest::newRow("append-only directory") << int(AppendOnlyDirectory) << 0;
    QTest::newRow("immutable file") << int(ImmutableFile) << 0;
    QTest::newRow("replaced by a directory") << int(BecomesDirectory) << 0;
    QTest::newRow("folder is a file") << int(InAFile) << 0;
}

void tst_mainwindow::failedSaveKeepsOldFile()
{
    QFETCH(int, fault);
    QFETCH(int, limit);
    QTemporaryDir dir;
    const QString name = fault == LongName ? QString(242, 'p') + ".rsx4pre" : "kept.rsx4pre";
    const QString path = dir.filePath(name);
    const QByteArray old = Header + QByteArray(1760, 'o');
    writeFile(path, old);
    ShownWindow w;
    DialogScript script;
    script.paths << (fault == InAFile ? path + "/new.rsx4pre" : path);
    if (fault == AppendOnlyDirectory && !setFileFlag(dir.path(), FS_APPEND_FL, true))
        QSKIP("No append-only flag here (file system or privileges)");
    if (fault == ImmutableFile && !setFileFlag(path, FS_IMMUTABLE_FL, true))
        QSKIP("No immutable flag here (file system or privileges)");
    if (fault == BecomesDirectory)
        script.accepted = [](const QString &chosen) {
            QVERIFY(QFile::remove(chosen) && QDir().mkdir(chosen));
        };
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = fault == SizeLimit ? rlim_t(limit) : saved.rlim_cur;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    action(w.window, "Save Preset As...")->trigger();
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);
    setFileFlag(dir.path(), FS_APPEND_FL, false);
    setFileFlag(path, FS_IMMUTABLE_FL, false);

    // Asked whether to replace the file (but in a file), then told of the failure.
    QCOMPARE(script.boxes.size(), fault == InAFile ? 1 : 2);
    QVERIFY2(fault == InAFile || script.boxes[0].contains("already exists"),
             qPrintable(script.boxes[0]));
    QCOMPARE(script.boxes.last(), SaveFailed);
    QCOMPARE(fileBytes(path), fault == BecomesDirectory ? QByteArray() : old);
    QCOMPARE(QDir(path).entryList(QDir::Files), QStringList());
    // Nothing else left behind, but a temporary file in an append-only directory.
    QStringList entries =
        QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden);
    entries.removeOne(name);
    QCOMPARE(entries.size(), fault == AppendOnlyDirectory ? 1 : 0);
    if (fault == AppendOnlyDirectory)
        QCOMPARE(QFileInfo(dir.filePath(entries[0])).size(), 1766);
}

void tst_mainwindow::quit()
{
    MainWindow window({"cuesmith"});
    QEventLoop loop;
    QTimer::singleShot(0, &window, [&window] { action(window, "Quit")->trigger(); });
    QTimer::singleShot(5000, &loop, [&loop] { loop.exit(1); });
    QCOMPARE(loop.exec(), 0);
}

QTEST_MAIN(tst_mainwindow)
#include "tst_mainwindow.moc"
