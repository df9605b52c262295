#include "gui/window/AppStartup.h"

#include <QGuiApplication>

void AppStartup::beforeApplication()
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
}

void AppStartup::afterApplication()
{
    QGuiApplication::setDesktopFileName(QString::fromLatin1(desktopEntryName()));
}
