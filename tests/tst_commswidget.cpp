#include "DeviceTestKit.h"
#include "ModalAnswerer.h"
#include "PaintCounter.h"
#include "QLedIndicator.h"
#include "deviceInfoDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace kit;

namespace {

template <typename T> T *child(const commsWidget &panel, const char *name)
{
    T *widget = panel.findChild<T *>(name);
    if (!widget)
        qFatal("no child %s", name);
    return widget;
}

} // namespace

// The device-link panel as the user sees it.
class tst_commswidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpTestCase(); }
    void init() { unit().reset(); }
    void cleanup() { QCOMPARE(leftovers(), QStringList()); }

    void linkStates()
    {
        unit().setPlugged(false);
        commsWidget panel;
        panel.show();
        QSignalSpy status(&panel, &commsWidget::commsStatusChange);
        auto *name = child<QLineEdit>(panel, "unitNameEdit");
        auto *led = child<QLedIndicator>(panel, "linkLed");
        const QList<QWidget *> controls{name, child<QPushButton>(panel, "deviceInfoButton"),
                                        child<QPushButton>(panel, "downloadButton"),
                                        child<QPushButton>(panel, "uploadButton")};
        auto enabled = [&] {
            QString states;
            for (QWidget *w : controls)
                states += w->isEnabled() ? "1" : "0";
            return states;
        };
        QCOMPARE(name->text(), QString("<Not Connected>"));
        QCOMPARE(enabled(), QString("0100"));
        QCOMPARE(panel.link()->pollInterval(), 250);

        // The first tick finds no unit and disables Device Info.
        tick(panel);
        QVERIFY(status.isEmpty());
        QCOMPARE(enabled(), QString("0000"));

        // Plugged in: online at once, "unknown" until string 1 arrives.
        unit().setPlugged(true);
        unit().setReplyLatency(2);
        tick(panel);
        QCOMPARE(status.takeFirst().first().toString(), QString("RSX-4 Online"));
        QCOMPARE(name->text(), QString("unknown"));
        QVERIFY(led->isChecked());
        QCOMPARE(enabled(), QString("1111"));
        QCOMPARE(panel.link()->pollInterval(), 15);
        QVERIFY(connectUnit(panel));
        QCOMPARE(name->text(), QString::fromStdString(unit().firmwareString(1)));

        // The transfer buttons only ask the window; the panel sends nothing.
        unit().clearLog();
        QSignalSpy upload(&panel, &commsWidget::requestUpload);
        QSignalSpy download(&panel, &commsWidget::requestDownload);
        QTest::mouseClick(child<QPushButton>(panel, "uploadButton"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(panel, "downloadButton"), Qt::LeftButton);
        QCOMPARE(upload.count(), 1);
        QCOMPARE(download.count(), 1);
        QVERIFY(unit().receivedReports().empty());

        // A click on the lamp toggles it until the next tick.
        QTest::mouseClick(led, Qt::LeftButton);
        QVERIFY(!led->isChecked());
        tick(panel);
        QVERIFY(led->isChecked());

        // Plugged out: the next read fails.
        unit().setPlugged(false);
        tick(panel);
        QCOMPARE(status.takeFirst().first().toString(), QString("RSX-4 Offline"));
        QCOMPARE(name->text(), QString("<Not Connected>"));
        QVERIFY(!led->isChecked());
        QCOMPARE(enabled(), QString("0000"));
        QCOMPARE(panel.link()->pollInterval(), 250);
        QCOMPARE(panel.link()->firmwareStrings(), DeviceLink::defaultFirmwareStrings());
        // Never shown, whatever the panel does.
        QVERIFY(!panel.syncDateTimeOption()->isVisible());
    }

    void idleTicksTouchNothing()
    {
        commsWidget panel;
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QVERIFY(connectUnit(panel));
        QCoreApplication::processEvents();
        PaintCounter counter(&panel);
        const QString name = child<QLineEdit>(panel, "unitNameEdit")->text();
        QSignalSpy edited(child<QLineEdit>(panel, "unitNameEdit"), &QLineEdit::textChanged);

        for (int i = 0; i < 50; ++i) {
            tick(panel);
            QCoreApplication::processEvents();
        }
        QCOMPARE(counter.paints, 0);
        QCOMPARE(edited.count(), 0);
        QCOMPARE(child<QLineEdit>(panel, "unitNameEdit")->text(), name);

        // A change is drawn.
        unit().setPlugged(false);
        tick(panel);
        QCoreApplication::processEvents();
        QVERIFY(counter.paints > 0);
        QCOMPARE(edited.count(), 1);
    }

    void realTimer()
    {
        unit().setPlugged(false);
        commsWidget panel;
        QSignalSpy status(&panel, &commsWidget::commsStatusChange);
        QTest::qWait(300);
        QVERIFY(status.isEmpty());
        unit().setPlugged(true);
        QTRY_COMPARE_WITH_TIMEOUT(panel.link()->expectedStringCount(), 10, 3000);
        QTRY_COMPARE_WITH_TIMEOUT(panel.link()->firmwareStrings().last(),
                                  QString::fromStdString(unit().firmwareString(10)), 3000);
        QCOMPARE(panel.link()->pollInterval(), 15);
        unit().setPlugged(false);
        QTRY_VERIFY_WITH_TIMEOUT(!panel.link()->isOnline(), 1000);
        QCOMPARE(panel.link()->pollInterval(), 250);
        QCOMPARE(status.last().first().toString(), QString("RSX-4 Offline"));
    }

    void deviceInfo_data()
    {
        QTest::addColumn<bool>("exchange");
        QTest::newRow("after the exchange") << true;
        QTest::newRow("before the exchange") << false;
    }
    void deviceInfo()
    {
        QFETCH(bool, exchange);
        if (!exchange)
            unit().setAnswerFirmwareRequests(false);
        commsWidget panel;
        panel.show();
        QVERIFY(connectUnit(panel));
        const QStringList strings = panel.link()->firmwareStrings();

        QStringList shown;
        QStringList afterMore;
        ModalAnswerer answerer;
        answerer.setAnswer([&](QWidget *widget) {
            auto *dialog = qobject_cast<deviceInfoDialog *>(widget);
            QVERIFY(dialog);
            for (int row = 0; row < deviceInfoDialog::RowCount; ++row)
                shown << dialog->value(row);
            // A string that arrives while the dialog is up does not change it.
            unit().queueReport(VirtualUnit::Report{4, 0x0E, 2, 0, 0, 0, 0, 0, 'n', 'e', 'w', '!'});
            tick(panel, 3);
            for (int row = 0; row < deviceInfoDialog::RowCount; ++row)
                afterMore << dialog->value(row);
            QTest::mouseClick(dialog->findChild<QPushButton *>("closeButton"), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>(panel, "deviceInfoButton"), Qt::LeftButton);

        QCOMPARE(answerer.titles(), QStringList({"Device Info"}));
        QCOMPARE(shown, strings.mid(1));
        QCOMPARE(afterMore, shown);
        // Before string 1 has come, a later string is not even taken.
        QCOMPARE(panel.link()->firmwareStrings().at(1), exchange ? QString("new!") : "device");
        if (!exchange)
            QCOMPARE(shown, QStringList({"device", "version", "unknown", "unknown", "unknown",
                                         "unknown", "unknown", "n/a", "n/a"}));
        // The dialog is gone once closed.
        QVERIFY(panel.findChildren<deviceInfoDialog *>().isEmpty());
    }
};

QTEST_MAIN(tst_commswidget)
#include "tst_commswidget.moc"
