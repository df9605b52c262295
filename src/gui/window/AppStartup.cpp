#include "gui/window/AppStartup.h"

#include <QGuiApplication>

void AppStartup::beforeApplication()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 always scales and always uses high-DPI pixmaps.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
}

void AppStartup::afterApplication()
{
    QGuiApplication::setDesktopFileName(QString::fromLatin1(desktopEntryName()));
}
