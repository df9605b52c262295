#include "DeviceLink.h"
#include "deviceInfoDialog.h"

#include "TopLevels.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// The firmware strings dialog on its own.
class tst_deviceinfodialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QLoggingCategory::setFilterRules(QStringLiteral("cuesmith.device.debug=false"));
    }
    void cleanup() { QCOMPARE(visibleTopLevels(), QStringList()); }

    void rows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("string");
        const char *captions[] = {
            "Device:",    "Version:",   "Main CPU:",  "Sub GPI:",       "Sub USB/A:",
            "Sub USB/B:", "FPGA Core:", "Expansion:", "Expansion Type:"};
        for (int row = 0; row < 9; ++row)
            QTest::newRow(captions[row]) << row << captions[row] << row + 2;
    }
    void rows()
    {
        QFETCH(int, row);
        QFETCH(QString, caption);
        QFETCH(int, string);
        QStringList list;
        for (int k = 1; k <= 10; ++k)
            list << QString("string %1").arg(k);
        deviceInfoDialog dialog(&list);
        QCOMPARE(dialog.caption(row), caption);
        QCOMPARE(dialog.value(row), QString("string %1").arg(string));
        auto *label = dialog.findChild<QLabel *>(QString("value%1").arg(row));
        QVERIFY(label);
        QCOMPARE(label->font().weight(), 75);
    }

    void defaultsAndSnapshot()
    {
        QStringList list = DeviceLink::defaultFirmwareStrings();
        deviceInfoDialog dialog(&list);
        QStringList shown;
        for (int row = 0; row < deviceInfoDialog::RowCount; ++row)
            shown << dialog.value(row);
        QCOMPARE(shown, QStringList({"device", "version", "unknown", "unknown", "unknown",
                                     "unknown", "unknown", "n/a", "n/a"}));
        list[1] = "changed";
        QCOMPARE(dialog.value(0), QString("device"));
    }

    void shortOrMissingList()
    {
        const QStringList list{"one", "two", "three"};
        deviceInfoDialog dialog(&list);
        QCOMPARE(dialog.value(0), QString("two"));
        QCOMPARE(dialog.value(1), QString("three"));
        QCOMPARE(dialog.value(2), QString("unknown"));
        deviceInfoDialog none(nullptr);
        QCOMPARE(none.value(8), QString("unknown"));
    }

    void window()
    {
        const QStringList list = DeviceLink::defaultFirmwareStrings();
        deviceInfoDialog dialog(&list);
        QCOMPARE(dialog.windowTitle(), QString("Device Info"));
        const Qt::WindowFlags flags = dialog.windowFlags();
        QVERIFY(flags & Qt::WindowTitleHint);
        QVERIFY(flags & Qt::CustomizeWindowHint);
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & Qt::WindowSystemMenuHint));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());

        auto *close = dialog.findChild<QPushButton *>("closeButton");
        QVERIFY(close);
        QCOMPARE(close->text(), QString("Close"));
        dialog.show();
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(tst_deviceinfodialog)
#include "tst_deviceinfodialog.moc"
