#include "gui/window/AppStartup.h"
#include "gui/window/MainWindow.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    AppStartup::beforeApplication();
    QApplication app(argc, argv);
    AppStartup::afterApplication();

    // Before the window is built: its texts are translated as they are made.
    // LANG or LANGUAGE choose; without a translation the texts stay English.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString qtTranslations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString qtTranslations = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          qtTranslations))
        QApplication::installTranslator(&qtTranslator);
    QTranslator ownTranslator;
    if (ownTranslator.load(QLocale::system(), QStringLiteral("cuesmith"), QStringLiteral("_"),
                           QStringLiteral(":/i18n")))
        QApplication::installTranslator(&ownTranslator);

    MainWindow window(app.arguments());
    window.show();
    return app.exec();
}
