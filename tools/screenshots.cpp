// Starts the program's window as main does, with the virtual unit in place of
// the USB library, works through it as a user would and writes a picture of
// each page and of the device info dialog into the folder given. In another
// language than English (LANG=de_DE.UTF-8) it writes one picture only,
// main-window-<language>.png, of the event page.
//   screenshots <folder>

#include "core/device/DeviceLink.h"
#include "core/events/EventRecords.h"
#include "gui/device/DeviceLinkPanel.h"
#include "gui/widgets/CoreText.h"
#include "gui/window/AppStartup.h"
#include "gui/window/FunctionTree.h"
#include "gui/window/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>
#include <cstdlib>

namespace {

QTextStream err(stderr);

[[noreturn]] void fail(const QString &text)
{
    err << "screenshots: " << text << "\n";
    err.flush();
    std::exit(1);
}

template <typename T> T *child(QWidget &parent, const QString &name)
{
    T *widget = parent.findChild<T *>(name);
    if (!widget)
        fail(QStringLiteral("no widget named %1").arg(name));
    return widget;
}

void save(const QPixmap &picture, const QDir &folder, const QString &name)
{
    const QString path = folder.filePath(name);
    if (!picture.save(path))
        fail(QStringLiteral("cannot write %1").arg(path));
    err << "wrote " << path << "\n";
}

// The firmware strings are read one after the other once the unit is open.
bool unitDescribed(const DeviceLink &link)
{
    const int count = link.expectedStringCount();
    return link.isOnline() && count > 1 &&
           link.firmwareStrings().at(count - 1) !=
               DeviceLink::defaultFirmwareStrings().at(count - 1);
}

class Tour
{
public:
    Tour(MainWindow &window, const QDir &folder) : m_window(window), m_folder(folder) {}

    void runTranslated(const QString &language)
    {
        waitForUnit();
        fillEventList();
        shoot(QStringLiteral("main-window-%1.png").arg(language));
    }

    void run()
    {
        DeviceLinkPanel &panel = waitForUnit();

        select("General");
        typeInto(generalLineEdit(0), "Stage Left");
        typeInto(generalLineEdit(1), "Main hall rack");
        shoot("general.png");

        select("GPIO Config");
        shoot("gpio.png");

        select("MIDI Config");
        shoot("midi.png");

        fillEventList();
        shoot("events.png");

        showDeviceInfo(panel);
    }

private:
    DeviceLinkPanel &waitForUnit()
    {
        DeviceLinkPanel &panel = *child<DeviceLinkPanel>(m_window, QString());
        if (!QTest::qWaitFor([&] { return unitDescribed(*panel.link()); }, 10000))
            fail("the virtual unit did not connect");
        return panel;
    }

    QTreeWidget *tree()
    {
        return child<QTreeWidget>(*m_window.findChild<FunctionTree *>(), QString());
    }

    void select(const QString &text)
    {
        const auto items =
            tree()->findItems(CoreText::display(text), Qt::MatchExactly | Qt::MatchRecursive);
        if (items.size() != 1)
            fail(QStringLiteral("no tree entry %1").arg(text));
        tree()->scrollToItem(items.first());
        const QRect rect = tree()->visualItemRect(items.first());
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, rect.center());
        if (tree()->currentItem() != items.first())
            fail(QStringLiteral("the click did not select %1").arg(text));
    }

    QLineEdit *generalLineEdit(int index)
    {
        const auto edits = m_window.findChild<QWidget *>("pageStack")
                               ->findChildren<QLineEdit *>(QString(), Qt::FindChildrenRecursively);
        QList<QLineEdit *> visible;
        for (QLineEdit *edit : edits)
            if (edit->isVisible() && !edit->isReadOnly())
                visible << edit;
        if (index >= visible.size())
            fail("the General page has no name and description fields");
        return visible.at(index);
    }

    void typeInto(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    QTreeWidget *slotTree() { return child<QTreeWidget>(m_window, "slotTree"); }

    void clickSlot(int row)
    {
        const QRect rect = slotTree()->visualItemRect(slotTree()->topLevelItem(row));
        QTest::mouseClick(slotTree()->viewport(), Qt::LeftButton, {}, rect.center());
    }

    void clickKind(EventKind kind)
    {
        auto *button =
            child<QAbstractButton>(m_window, QStringLiteral("kindButton%1").arg(int(kind)));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, button->height() / 2));
    }

    void store() { QTest::mouseClick(child<QPushButton>(m_window, "storeButton"), Qt::LeftButton); }

    // A short list on the first input, then its first event back in the editor.
    void fillEventList()
    {
        select("GPI 1");

        clickSlot(0);
        clickKind(EventKind::Midi);
        child<QComboBox>(m_window, "midiPort")->setCurrentText(CoreText::display("USB A"));
        child<QSpinBox>(m_window, "midiChannel")->setValue(10);
        child<QComboBox>(m_window, "midiType")->setCurrentText(CoreText::display("Note On"));
        child<QSpinBox>(m_window, "midiData1")->setValue(36);
        child<QSpinBox>(m_window, "midiData2")->setValue(100);
        store();

        clickSlot(1);
        clickKind(EventKind::Relay);
        child<QComboBox>(m_window, "relayNumber")->setCurrentText("2");
        child<QComboBox>(m_window, "relayAction")->setCurrentText(CoreText::display("Pulse ON"));
        store();

        clickSlot(2);
        clickKind(EventKind::System);
        child<QComboBox>(m_window, "systemEvent")->setCurrentText(CoreText::display("Toggle USB"));
        store();

        clickSlot(0);
    }

    void shoot(const QString &name)
    {
        QApplication::processEvents();
        save(m_window.grab(), m_folder, name);
    }

    // The dialog is modal: it is taken and closed from inside its own loop.
    void showDeviceInfo(DeviceLinkPanel &panel)
    {
        bool taken = false;
        QTimer::singleShot(300, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog)
                fail("the device info dialog did not open");
            save(dialog->grab(), m_folder, "device-info.png");
            taken = true;
            dialog->close();
        });
        QTest::mouseClick(child<QPushButton>(panel, "deviceInfoButton"), Qt::LeftButton);
        if (!taken)
            fail("the device info dialog closed before it was taken");
    }

    MainWindow &m_window;
    QDir m_folder;
};

} // namespace

int main(int argc, char *argv[])
{
    AppStartup::beforeApplication();
    QApplication app(argc, argv);
    AppStartup::afterApplication();
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2)
        fail("usage: screenshots <folder>");
    const QDir folder(arguments.at(1));
    if (!folder.exists())
        fail(QStringLiteral("no folder %1").arg(folder.path()));

    // As the program does: the window's language follows LANG and LANGUAGE.
    QTranslator translator;
    const bool translated = translator.load(QLocale::system(), "cuesmith", "_", ":/i18n");
    if (translated)
        QApplication::installTranslator(&translator);

    MainWindow window({arguments.first()});
    window.show();
    // Maximized on the offscreen screen the window would be as small as that
    // screen; the pictures show it at a common desktop size instead.
    window.setWindowState(Qt::WindowNoState);
    window.resize(1440, 900);
    if (!QTest::qWaitForWindowExposed(&window))
        fail("the window was never shown");

    if (translated)
        Tour(window, folder).runTranslated(QLocale::system().name().section('_', 0, 0));
    else
        Tour(window, folder).run();
    return 0;
}
