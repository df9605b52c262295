#include "AppStartup.h"
#include "MainWindow.h"

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
