#include "DialogScript.h"
#include "MainWindow.h"
#include "TopLevels.h"
#include "Typing.h"
#include "VirtualUnit.h"
#include "WindowDriver.h"
#include "detailsitems.h"
#include "gridWidget.h"
#include "hexEdit.h"
#include "sysexEdit.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

// The pages working inside the real window: what the user does on a page
// reaches the preset, a file and back.
class tst_editing : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        VirtualUnit::instance().setPlugged(false);
    }
    void init();
    void cleanup();
    void buildListSaveAndReopen();
    void fullPoolRefusedInWindow();
    void midiEditAfterSaveReachesModel();
    void generalPageAppliedOnPageChange();
    void tableEditsReachModelAtOnce();

private:
    QTreeWidget *slotTree() { return m_window->findChild<QTreeWidget *>("slotTree"); }
    template <typename T> T *field(const char *name)
    {
        T *w = m_window->findChild<T *>(name);
        if (!w)
            qFatal("no widget %s", name);
        return w;
    }
    void clickSlot(int row);
    void clickKind(EventKind kind);
    void store();
    QStringList descriptions();

    std::unique_ptr<MainWindow> m_window;
};

void tst_editing::init()
{
    m_window.reset(new MainWindow({"cuesmith"}));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void tst_editing::cleanup()
{
    m_window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(visibleTopLevels(), QStringList());
}

void tst_editing::clickSlot(int row)
{
    QTreeWidget *tree = slotTree();
    const QRect rect = tree->visualItemRect(tree->topLevelItem(row));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, rect.center());
}

void tst_editing::clickKind(EventKind kind)
{
    auto *button = m_window->findChild<QAbstractButton *>(QString("kindButton%1").arg(int(kind)));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
    QVERIFY(button->isChecked());
}

void tst_editing::store()
{
    auto *button = m_window->findChild<QPushButton *>("storeButton");
    QVERIFY(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
}

QStringList tst_editing::descriptions()
{
    QStringList list;
    for (int i = 0; i < slotTree()->topLevelItemCount(); ++i)
        list << slotTree()->topLevelItem(i)->text(1);
    return list;
}

void tst_editing::buildListSaveAndReopen()
{
    selectEntry(*m_window, "GPI 3");
    QCOMPARE(m_window->selectedKind(), 2);
    QCOMPARE(m_window->selectedList(), 2);

    // A MIDI note into slot 1.
    clickSlot(0);
    clickKind(EventKind::Midi);
    field<QComboBox>("midiPort")->setCurrentText("USB A");
    field<QSpinBox>("midiChannel")->setValue(10);
    field<QComboBox>("midiType")->setCurrentText("Note On");
    field<QSpinBox>("midiData1")->setValue(36);
    field<QSpinBox>("midiData2")->setValue(127);
    store();
    PresetImage &p = m_window->preset();
    QCOMPARE(p.value(PresetImage::TriggerSlots, 2, 0), 1);
    QCOMPARE(p.value(PresetImage::MidiEventPool, 0, 0), 5);
    QCOMPARE(p.value(PresetImage::MidiEventPool, 0, 1), 0x99);

    // A SysEx message into slot 2, typed without its framing.
    clickSlot(1);
    clickKind(EventKind::SysEx);
    auto *sysex = field<sysexEdit>("sysexField");
    sysex->setFocus();
    QTest::keyClicks(sysex, "43 10 4c");
    store();
    QCOMPARE(p.value(PresetImage::TriggerSlots, 2, 1), 65);

    // A relay pulse into slot 3.
    clickSlot(2);
    clickKind(EventKind::Relay);
    field<QComboBox>("relayNumber")->setCurrentText("3");
    field<QComboBox>("relayAction")->setCurrentText("Pulse ON");
    store();

    // A serial string into slot 5, leaving slot 4 empty.
    clickSlot(4);
    clickKind(EventKind::Serial);
    QTest::mouseClick(field<QRadioButton>("serialAscii"), Qt::LeftButton);
    field<QCheckBox>("serialCr")->setChecked(true);
    auto *serial = field<hexEdit>("serialField");
    serial->setFocus();
    typeText(serial, QString::fromUtf8("Gain \u00e9t\u00e9"));
    store();

    // A system event into slot 6.
    clickSlot(5);
    clickKind(EventKind::System);
    field<QComboBox>("systemEvent")->setCurrentText("Toggle USB");
    store();

    const QStringList built = {"MIDI: Note On 36, Vel 127, Chan 10 [USB A]",
                               "MIDI SYSEX: 5 Bytes [MIDI Group 1]",
                               "RELAY: Relay 3 Pulse ON",
                               "empty slot",
                               "SERIAL: 8 Bytes",
                               "SYSTEM: Toggle USB",
                               "empty slot",
                               "empty slot"};
    QCOMPARE(descriptions(), built);
    QCOMPARE(p.value(PresetImage::SerialEventPool, 0, 2), 1); // CR flag

    QTemporaryDir dir;
    const QString path = dir.filePath("gpi3.rsx4pre");
    DialogScript script;
    script.paths << path << path;
    action(*m_window, "Save Preset As...")->trigger();
    action(*m_window, "New Preset")->trigger();
    for (const QString &text : descriptions())
        QCOMPARE(text, QString("empty slot"));
    action(*m_window, "Open Preset...")->trigger();
    QCOMPARE(script.boxes(), QStringList());

    // Packing closed the gap at slot 4; everything else is as built.
    QStringList reopened = built;
    reopened.removeAt(3);
    reopened.append("empty slot");
    QCOMPARE(descriptions(), reopened);

    // The serial text shows back as typed, and storing it again changes no byte.
    clickSlot(3);
    QVERIFY(field<QRadioButton>("serialAscii")->isChecked());
    QCOMPARE(serial->text(), QString::fromUtf8("Gain \u00e9t\u00e9"));
    const int before = p.value(PresetImage::SerialEventPool, 0, 9);
    store();
    QCOMPARE(p.value(PresetImage::SerialEventPool, 0, 9), before);
    QCOMPARE(p.value(PresetImage::SerialEventPool, 0, 9), 0xE9);
}

void tst_editing::fullPoolRefusedInWindow()
{
    PresetImage &p = m_window->preset();
    for (int i = 0; i < 16; ++i)
        p.setValue(PresetImage::SysexEventPool, i, 0, 1);
    p.setValue(PresetImage::TriggerSlots, 0, 0, 217);
    selectEntry(*m_window, "GPI 1");

    clickSlot(0);
    clickKind(EventKind::SysEx);
    DialogScript script;
    store();
    QCOMPARE(script.boxes().size(), 1);
    QVERIFY(script.boxes().first().startsWith("Store Event | "));
    QVERIFY(script.boxes().first().contains("16"));
    // The old event stays, and so does what the user composed.
    QCOMPARE(p.value(PresetImage::TriggerSlots, 0, 0), 217);
    QVERIFY(m_window->findChild<QAbstractButton *>("kindButton2")->isChecked());
    QCOMPARE(descriptions().first(), QString("SYSTEM: Toggle USB"));
}

void tst_editing::midiEditAfterSaveReachesModel()
{
    selectEntry(*m_window, "MIDI Config");
    QTemporaryDir dir;
    DialogScript script;
    script.paths << dir.filePath("a.rsx4pre");
    action(*m_window, "Save Preset As...")->trigger();

    // Edits made after the save, before the next change of page.
    field<QComboBox>("controlPort")->setCurrentIndex(2);
    field<QComboBox>("controlChannel")->setCurrentIndex(10);
    auto grids = m_window->findChildren<gridWidget *>();
    QCOMPARE(grids.size(), 2);
    QTest::mouseClick(grids.first(), Qt::LeftButton, {}, QPoint(79 + 2 * 25 + 5, 79 + 10));

    selectEntry(*m_window, "General");
    PresetImage &p = m_window->preset();
    QCOMPARE(p.value(PresetImage::ConfigBlock, 3), 0x2A);
    QCOMPARE(p.value(PresetImage::RoutingPatchA, 0, 2), 1);
    p.buildImage();
    QCOMPARE(p.imageByte(16), 4);
}

void tst_editing::generalPageAppliedOnPageChange()
{
    selectEntry(*m_window, "General");
    field<QComboBox>("baudRate")->setCurrentText("460800");
    field<QComboBox>("doublePressLimit")->setCurrentText("2.0s");
    PresetImage &p = m_window->preset();
    QCOMPARE(p.value(PresetImage::SerialConfig, 0), 2); // held by the page until applied
    selectEntry(*m_window, "Macro 1");
    QCOMPARE(p.value(PresetImage::SerialConfig, 0), 9);
    QCOMPARE(p.value(PresetImage::DoublePressLimit, 0), 200);
}

void tst_editing::tableEditsReachModelAtOnce()
{
    selectEntry(*m_window, "GPIO Config");
    auto *views = m_window->findChild<QWidget *>("pageStack");
    QVERIFY(views);
    // The tables write the model on every change, without any page change.
    auto tables = m_window->findChildren<QAbstractItemView *>();
    QAbstractItemView *gpi = nullptr;
    for (QAbstractItemView *v : tables) {
        if (v->model() && v->model()->rowCount() == 11 && v->model()->columnCount() == 3)
            gpi = v;
    }
    QVERIFY(gpi);
    gpi->model()->setData(gpi->model()->index(9, 1), "1.5s", Qt::EditRole);
    QCOMPARE(m_window->preset().value(PresetImage::GpiDebounce, 9), 150);
}

QTEST_MAIN(tst_editing)
#include "tst_editing.moc"
