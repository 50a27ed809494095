// The yardstick for start-up figures: one empty frameless window of the main
// window's size, and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setGeometry(12, 49, 843, 524);
    window.show();
    return app.exec();
}
