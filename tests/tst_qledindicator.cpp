#include "QLedIndicator.h"

#include "PaintCounter.h"
#include "TopLevels.h"

#include <QApplication>
#include <QtTest>

namespace {

QImage render(QLedIndicator &led)
{
    return led.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

const QColor Backdrop(255, 0, 255);

} // namespace

// The lamp as drawn; the panel's use of it is in tst_commswidget.
class tst_qledindicator : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void cleanup() { QCOMPARE(visibleTopLevels(), QStringList()); }

    void painting_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("24 x 24") << QSize(24, 24);
        QTest::newRow("wide") << QSize(160, 60);
        QTest::newRow("tall") << QSize(50, 130);
    }
    void painting()
    {
        QFETCH(QSize, size);
        // What lies behind the lamp shows in a colour of its own.
        QWidget backdrop;
        backdrop.setAutoFillBackground(true);
        QPalette palette = backdrop.palette();
        palette.setColor(QPalette::Window, Backdrop);
        backdrop.setPalette(palette);
        backdrop.resize(size);
        auto *led = new QLedIndicator(&backdrop);
        led->resize(size);

        const QImage dark = render(*led);
        led->setChecked(true);
        const QImage lit = render(*led);
        const QPoint centre(size.width() / 2, size.height() / 2);

        // Green at the centre, much brighter when lit.
        const QColor on = lit.pixelColor(centre);
        const QColor off = dark.pixelColor(centre);
        QVERIFY2(on.green() > 180 && on.red() < 40 && on.blue() < 40, qPrintable(on.name()));
        QVERIFY2(off.green() > 30 && off.green() < 120 && off.red() < 40 && off.blue() < 40,
                 qPrintable(off.name()));

        // A circle of the shorter side's diameter, centred: what lies outside
        // is the backdrop, what lies inside is lamp or bezel.
        const int radius = std::min(size.width(), size.height()) / 2;
        for (const QImage &image : {dark, lit}) {
            for (int angle = 0; angle < 360; angle += 30) {
                const qreal a = qDegreesToRadians(qreal(angle));
                auto at = [&](qreal r) {
                    return QPoint(qRound(centre.x() + r * qCos(a)),
                                  qRound(centre.y() + r * qSin(a)));
                };
                const QPoint inside = at(radius * 0.85);
                const QPoint outside = at(radius * 1.2 + 1);
                QVERIFY(image.pixelColor(inside) != Backdrop);
                if (image.rect().contains(outside))
                    QCOMPARE(image.pixelColor(outside), Backdrop);
            }
            // Nothing drawn beyond the circle's square.
            QCOMPARE(image.pixelColor(0, 0), Backdrop);
            QCOMPARE(image.pixelColor(size.width() - 1, size.height() - 1), Backdrop);
        }
        // The outer bezel is lit from the top left.
        const qreal d = radius * 0.95 / std::sqrt(2.0);
        const QColor topLeft = lit.pixelColor(qRound(centre.x() - d), qRound(centre.y() - d));
        const QColor bottomRight = lit.pixelColor(qRound(centre.x() + d), qRound(centre.y() + d));
        QVERIFY(topLeft.lightness() > bottomRight.lightness());
    }

    void resizeRedraws()
    {
        QLedIndicator led;
        led.resize(30, 30);
        led.show();
        QVERIFY(QTest::qWaitForWindowExposed(&led));
        PaintCounter counter(&led);
        led.resize(60, 40);
        QTRY_VERIFY(counter.paints > 0);
        led.hide();
    }
};

QTEST_MAIN(tst_qledindicator)
#include "tst_qledindicator.moc"
