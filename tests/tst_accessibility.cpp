#include "gui/device/DeviceInfoDialog.h"
#include "gui/events/EventEditor.h"
#include "gui/pages/EepromMapWindow.h"
#include "gui/widgets/StatusLamp.h"
#include "gui/window/MainWindow.h"
#include "support/DeviceTestKit.h"
#include "support/WindowDriver.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using namespace kit;

namespace {

QString accessibleText(QWidget *widget, QAccessible::Text kind = QAccessible::Name)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(kind) : QStringLiteral("<no interface>");
}

// A combo box on Linux is named after its current item whatever its caption;
// a screen reader reads the caption from the label it is "labelled by" (the
// QLabel whose buddy it is), and elsewhere takes the accessible name.
bool named(QWidget *widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    if (!qobject_cast<QComboBox *>(widget))
        return iface && !iface->text(QAccessible::Name).trimmed().isEmpty();
    const auto labels = iface->relations(QAccessible::Label);
    return !widget->accessibleName().isEmpty() ||
           std::any_of(labels.begin(), labels.end(), [](const auto &label) {
               return qobject_cast<QLabel *>(label.first->object());
           });
}

// Every widget under `root` that the keyboard can reach and a screen reader
// would have no name for: "objectName (Class) in parent".
QStringList unnamed(QWidget *root)
{
    QStringList found;
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *w : widgets) {
        // A widget with a focus proxy never holds the focus itself.
        if (w->focusPolicy() == Qt::NoFocus || w->focusProxy() || !w->isVisible() || named(w))
            continue;
        QWidget *parent = w->parentWidget();
        found << QStringLiteral("%1 (%2) in %3")
                     .arg(w->objectName(), w->metaObject()->className(),
                          parent ? parent->objectName() + '/' + parent->metaObject()->className()
                                 : QString());
    }
    return found;
}

// No access to the unit: sysfs lists one that this user may not open.
void layLockedUnit(const QString &root)
{
    const QString device = root + "/sys/class/hidraw/hidraw0/device";
    QDir(root).mkpath(device);
    QDir(root).mkpath("dev/hidraw0"); // a directory: not to be opened for writing
    QFile uevent(device + "/uevent");
    uevent.open(QIODevice::WriteOnly);
    uevent.write("DRIVER=hid-generic\nHID_ID=0003:000004D8:0000F29E\nHID_NAME=x\n");
}

} // namespace

class tst_accessibility : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpTestCase(); }
    void init() { unit().reset(); }
    void cleanup() { QCOMPARE(leftovers(), QStringList()); }

    // One walk over the window with each page shown in turn, each event kind
    // chosen on an input's page, and over the dialogs and windows of our own.
    void everyControlNamed()
    {
        QStringList missing;
        auto walk = [&missing](QWidget *root) { missing << unnamed(root); };
        MainWindow window({"cuesmith", "-devMode"});
        window.show();
        for (const char *entry : {"General", "GPIO Config", "MIDI Config", "GPI 1"}) {
            selectEntry(window, entry);
            walk(&window);
        }
        QCOMPARE(accessibleText(window.findChild<QWidget *>("portAIn")),
                 QString("Port A: MIDI IN 1"));
        auto *editor = window.findChild<EventEditor *>();
        for (QRadioButton *kind : editor->findChildren<QRadioButton *>(
                 QRegularExpression("^kindButton"), Qt::FindDirectChildrenOnly)) {
            kind->click();
            QVERIFY(editor->kindGroup(EventKind(editor->checkedKind()))->isEnabled());
            walk(&window);
        }

        action(window, "Show Eeprom Map")->trigger();
        auto *map = window.findChild<EepromMapWindow *>();
        QVERIFY(map && map->isVisible());
        walk(map);
        map->close();

        const QStringList strings{"RSX-4", "1.6", "190116", "17", "4", "x"};
        DeviceInfoDialog info(&strings);
        info.show();
        walk(&info);
        info.close();
        window.close();
        missing.removeDuplicates();
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join("\n")));
    }

    // The lamp's state in words, read out and shown as its tool tip, for
    // each state the panel tells apart. (Qt announces a change of name itself;
    // the offscreen platform has no accessibility bridge to hear it.)
    void lampSaysLinkState()
    {
        unit().setPlugged(false);
        DeviceLinkPanel panel;
        auto *lamp = panel.findChild<StatusLamp *>("linkLed");
        auto said = [&lamp] { return accessibleText(lamp) + " | " + lamp->toolTip(); };
        QCOMPARE(said(), QString("Not connected | Not connected"));
        unit().setPlugged(true);
        QVERIFY(connectUnit(panel));
        QCOMPARE(said(), QString("Unit connected | Unit connected"));
        unit().setPlugged(false);
        tick(panel, 3);
        QCOMPARE(said(), QString("Not connected | Not connected"));

        // The access check runs once a second: a panel of its own sees it at once.
        QTemporaryDir root;
        layLockedUnit(root.path());
        DeviceLinkPanel refused;
        refused.link()->setAccessCheck(HidAccess(root.path() + "/sys", root.path() + "/dev"));
        lamp = refused.findChild<StatusLamp *>("linkLed");
        tick(refused);
        QCOMPARE(said(), QString("No permission | No permission"));
    }
};

QTEST_MAIN(tst_accessibility)
#include "tst_accessibility.moc"
