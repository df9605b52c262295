#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle("Valdane RSX-4 Cuesmith v1.6.1");
    window.show();
    return app.exec();
}
