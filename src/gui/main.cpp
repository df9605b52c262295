#include "gui/window/AppStartup.h"
#include "gui/window/MainWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    AppStartup::beforeApplication();
    QApplication app(argc, argv);
    AppStartup::afterApplication();
    MainWindow window(app.arguments());
    window.show();
    return app.exec();
}
