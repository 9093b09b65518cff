#include "volunde.h"

#include "platform/window_system.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    platform::ChooseWindowSystem();
    QApplication app(argc, argv);
    // One style everywhere, so that the buttons show their face colours on every desktop.
    QApplication::setStyle(QStringLiteral("Fusion"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.poligon.Volunde"));
    Volunde window;
    window.show();
    return QApplication::exec();
}
