#include "AppStartup.h"
#include "MainWindow.h"
#include "TopLevels.h"
#include "WindowDriver.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <QtTest>

// The window started as main starts it, on a screen of scale 2: it is laid out
// in the same logical units, drawn at twice the pixels, and every icon comes
// from a pixmap with pixels for that scale rather than an enlarged small one.
class tst_highdpi : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs); }
    void init();
    void cleanup();
    void windowDrawnAtScale();
    void iconsHavePixelsForScale();
    void logoHasPixelsForScale();

private:
    static constexpr qreal Scale = 2.0;
    // "where: icon at logical size" of each icon that would be enlarged.
    QStringList blurred(const QIcon &icon, const QSize &size, const QString &where) const;

    std::unique_ptr<MainWindow> m_window;
};

void tst_highdpi::init()
{
    m_window.reset(new MainWindow({"cuesmith"}));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void tst_highdpi::cleanup()
{
    m_window.reset();
    QCOMPARE(visibleTopLevels(), QStringList());
}

void tst_highdpi::windowDrawnAtScale()
{
    // Scaling from the screen's own pixel density: the offscreen screen reports
    // none, so only the attribute can be seen here.
    QVERIFY(QCoreApplication::testAttribute(Qt::AA_EnableHighDpiScaling));
    QCOMPARE(m_window->devicePixelRatioF(), Scale);
    const QPixmap picture = m_window->grab();
    QCOMPARE(picture.devicePixelRatio(), Scale);
    QCOMPARE(picture.size(), m_window->size() * Scale);
}

QStringList tst_highdpi::blurred(const QIcon &icon, const QSize &size, const QString &where) const
{
    if (icon.isNull())
        return {};
    // An icon keeps its aspect ratio, so it may fill the size in one direction only.
    const QPixmap pixmap = icon.pixmap(size);
    if (pixmap.devicePixelRatio() == Scale &&
        (pixmap.width() == size.width() * Scale || pixmap.height() == size.height() * Scale))
        return {};
    return {QStringLiteral("%1: %2x%3 pixels at ratio %4")
                .arg(where)
                .arg(pixmap.width())
                .arg(pixmap.height())
                .arg(pixmap.devicePixelRatio())};
}

void tst_highdpi::iconsHavePixelsForScale()
{
    // The event page fills its slot list once an input is chosen.
    selectEntry(*m_window, "GPI 1");
    const QSize small(m_window->style()->pixelMetric(QStyle::PM_SmallIconSize),
                      m_window->style()->pixelMetric(QStyle::PM_SmallIconSize));

    QStringList found;
    int checked = 0;
    const QIcon windowIcon = m_window->windowIcon();
    found << blurred(windowIcon, QSize(64, 64), "window icon");
    for (QAction *action : m_window->findChildren<QAction *>()) {
        checked += !action->icon().isNull();
        found << blurred(action->icon(), small, "action " + action->text());
    }
    for (QAbstractButton *button : m_window->findChildren<QAbstractButton *>()) {
        checked += !button->icon().isNull();
        found << blurred(button->icon(), button->iconSize(), "button " + button->text());
    }
    for (QAbstractItemView *view : m_window->findChildren<QAbstractItemView *>()) {
        const QSize size = view->iconSize().isValid() ? view->iconSize() : small;
        QAbstractItemModel *model = view->model();
        QList<QModelIndex> parents{QModelIndex()};
        while (!parents.isEmpty()) {
            const QModelIndex parent = parents.takeFirst();
            for (int row = 0; row < model->rowCount(parent); ++row) {
                for (int column = 0; column < model->columnCount(parent); ++column) {
                    const QModelIndex index = model->index(row, column, parent);
                    const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
                    checked += !icon.isNull();
                    found << blurred(icon, size, index.data().toString());
                }
                parents << model->index(row, 0, parent);
            }
        }
    }
    // Menus, device-link buttons, slot buttons, tree, slot list, GPI and relay tables.
    QVERIFY2(checked > 60, qPrintable(QString::number(checked)));
    QVERIFY2(found.isEmpty(), qPrintable(found.join("; ")));
}

void tst_highdpi::logoHasPixelsForScale()
{
    auto *logo = m_window->findChild<QLabel *>("logo");
    QVERIFY(logo);
    const QPixmap pixmap = logo->pixmap(Qt::ReturnByValue);
    QVERIFY(logo->hasScaledContents());
    QVERIFY(pixmap.width() >= logo->maximumWidth() * Scale);
    QVERIFY(pixmap.height() >= logo->maximumHeight() * Scale);
}

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    AppStartup::beforeApplication();
    QApplication app(argc, argv);
    AppStartup::afterApplication();
    tst_highdpi test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_highdpi.moc"
