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

// A widget that shows what lies behind the lamp in a fixed colour.
class Backdrop : public QWidget
{
public:
    Backdrop()
    {
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(255, 0, 255));
        setPalette(p);
    }
};

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
        Backdrop backdrop;
        backdrop.resize(size);
        auto *led = new QLedIndicator(&backdrop);
        led->resize(size);

        const QImage dark = render(*led);
        led->setChecked(true);
        const QImage lit = render(*led);
        const QPoint centre(size.width() / 2, size.height() / 2);

        // Green at the centre, much brighter when lit.
        const QColor litCentre = lit.pixelColor(centre);
        const QColor darkCentre = dark.pixelColor(centre);
        QVERIFY2(litCentre.green() > 180, qPrintable(litCentre.name()));
        QVERIFY2(darkCentre.green() < 120 && darkCentre.green() > 30,
                 qPrintable(darkCentre.name()));
        QVERIFY(litCentre.red() < 40 && litCentre.blue() < 40);
        QVERIFY(darkCentre.red() < 40 && darkCentre.blue() < 40);

        // A circle of the shorter side's diameter, centred: what lies outside
        // is the backdrop, what lies inside is lamp or bezel.
        const int radius = std::min(size.width(), size.height()) / 2;
        const QColor background(255, 0, 255);
        for (const QImage &image : {dark, lit}) {
            for (int angle = 0; angle < 360; angle += 30) {
                const qreal a = qDegreesToRadians(qreal(angle));
                auto at = [&](qreal r) {
                    return QPoint(qRound(centre.x() + r * qCos(a)),
                                  qRound(centre.y() + r * qSin(a)));
                };
                const QPoint inside = at(radius * 0.85);
                const QPoint outside = at(radius * 1.2 + 1);
                QVERIFY(image.pixelColor(inside) != background);
                if (image.rect().contains(outside))
                    QCOMPARE(image.pixelColor(outside), background);
            }
            // Nothing drawn beyond the circle's square.
            QCOMPARE(image.pixelColor(0, 0), background);
            QCOMPARE(image.pixelColor(size.width() - 1, size.height() - 1), background);
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
