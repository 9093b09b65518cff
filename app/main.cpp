#include "volunde.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // One style everywhere, so that the buttons show their face colours on every desktop.
    QApplication::setStyle(QStringLiteral("Fusion"));
    Volunde window;
    window.show();
    return QApplication::exec();
}
