// Starts the window as the program does, brings it into a state, closes it, and exits with the
// event loop's status: 0 when the window closed cleanly.
//   close_from_state random SEED EVENTS   random use first (see window_driver.h)
//   close_from_state error                a run-time error on show, its message box open
//   close_from_state full                 1,000 vertices, a selection and the triangle report

#include "window_driver.h"

#include "platform/run_handler.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Brings the window into the state named on the command line; false if that failed.
bool Prepare(Volunde& window, int argc, char** argv)
{
    const char* state = argc > 1 ? argv[1] : "";
    if (std::strcmp(state, "random") == 0 && argc > 3) {
        random_use::WindowDriver driver(window, std::strtoull(argv[2], nullptr, 0));
        for (long k = std::strtol(argv[3], nullptr, 0); k > 0; --k) {
            const std::string failure = driver.Step();
            if (!failure.empty()) {
                std::fprintf(stderr, "%s\n", failure.c_str());
                return false;
            }
        }
        return true;
    }
    if (std::strcmp(state, "error") == 0) {
        // An ordinate beyond the 16-bit range stops the trapezoid run with Overflow.
        for (const char* y : {"10", "40000", "20"}) {
            window.List1(0).AddItem(QStringLiteral("15"));
            window.List1(1).AddItem(QString::fromLatin1(y));
        }
        window.PointCount = 3;
        platform::RunHandler(&window, [&] { window.Command1_Click(0); });
        return window.findChild<QMessageBox*>(QStringLiteral("runTimeErrorBox")) != nullptr;
    }
    if (std::strcmp(state, "full") == 0) {
        for (int k = 0; k < 1000; ++k)
            window.Picture1_MouseDown(1, 0, static_cast<float>((k * 37 % 487) * 15),
                                      static_cast<float>((k * 11 % 196) * 15));
        window.List1(1).setListIndex(999);
        window.Command1_Click(1);
        return window.InputState == -1;
    }
    std::fprintf(stderr, "unknown state\n");
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    Volunde window;
    window.show();
    bool prepared = false;
    QTimer::singleShot(0, &window, [&] {
        prepared = Prepare(window, argc, argv);
        window.close();
    });
    const int status = QApplication::exec();
    if (!prepared)
        return 2;
    if (window.isVisible())
        return 3;
    return status;
}
