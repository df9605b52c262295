#include "deviceInfoDialog.h"

#include "TopLevels.h"

#include <QApplication>
#include <QtTest>

// The firmware strings dialog on its own: what the panel shows in it, and
// that it keeps what it was opened with, is checked in tst_commswidget.
class tst_deviceinfodialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup() { QCOMPARE(visibleTopLevels(), QStringList()); }

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
};

QTEST_MAIN(tst_deviceinfodialog)
#include "tst_deviceinfodialog.moc"
