// The program's start, as its main does it, reporting when the window is first painted. With
// --capacity it then enters the lists' capacity of vertices, runs both area commands and reports
// the peak resident memory, as "peak_rss_kb <kilobytes>".

#include "startup_probe.h"
#include "window_support.h"

#include "app/volunde.h"

#include <QApplication>

#include <cstring>
#include <fstream>
#include <string>

namespace {

// The process's own peak resident size. getrusage would report the peak of the benchmark that
// forked this process too, since Linux keeps that figure across exec.
long PeakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const bool capacity = argc > 1 && std::strcmp(argv[1], "--capacity") == 0;
    Volunde window;
    bench::AfterFirstPaint done(window, [&] {
        bench::ReportPainted();
        if (capacity) {
            bench::EnterVertices(window, bench::WindowPolygon(window, Volunde::MaxVertices));
            bench::Settle(window);
            window.Command1_Click(0);
            bench::Settle(window);
            window.Command1_Click(1);
            bench::Settle(window);
            std::printf("vertices %d\npeak_rss_kb %ld\n", window.PointCount, PeakResidentKiB());
            std::fflush(stdout);
        }
        QApplication::quit();
    });
    window.show();
    return QApplication::exec();
}
