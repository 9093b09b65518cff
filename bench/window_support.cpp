#include "window_support.h"

#include <QCoreApplication>
#include <QEvent>

namespace bench {

void Settle(QWidget& window)
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QEvent paintNow(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(&window, &paintNow);
}

void EnterVertices(Volunde& window, const std::vector<Point>& polygon)
{
    for (const Point& p : polygon)
        window.Picture1_MouseDown(1, 0, p.x, p.y);
}

std::vector<Point> WindowPolygon(const Volunde& window, int n)
{
    const QSize inside = window.Picture1.contentsRect().size();
    return MakePolygon(n, inside.width(), inside.height());
}

std::unique_ptr<Volunde> OpenWindow(int n)
{
    auto window = std::make_unique<Volunde>();
    window->show();
    Settle(*window);
    EnterVertices(*window, WindowPolygon(*window, n));
    Settle(*window);
    return window;
}

PaintCounter::PaintCounter(QWidget& widget)
{
    widget.installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject* /*watched*/, QEvent* event)
{
    if (event->type() == QEvent::Paint)
        ++count_;
    return false;
}

} // namespace bench
