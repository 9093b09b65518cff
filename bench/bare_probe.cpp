// A bare window with one button, started the way the program starts, reporting when it is first
// painted: the yardstick for the program's start-up.

#include "startup_probe.h"

#include <QApplication>
#include <QPushButton>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QWidget window;
    window.resize(509, 424);
    QPushButton button(QStringLiteral("OK"), &window);
    button.move(20, 20);
    bench::AfterFirstPaint done(window, [] {
        bench::ReportPainted();
        QApplication::quit();
    });
    window.show();
    return QApplication::exec();
}
