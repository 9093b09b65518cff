#pragma once

// Driving the real window in the benchmarks: opening it with a polygon entered, and waiting until
// it has processed its events and painted what changed.

#include "polygon.h"

#include "app/volunde.h"

#include <QObject>

#include <memory>

namespace bench {

// Processes every pending event (deferred text display, item layout, timers) and then paints,
// synchronously, every part of `window` that is marked for repainting.
void Settle(QWidget& window);

// Enters the polygon's vertices as presses on the surface would, one by one.
void EnterVertices(Volunde& window, const std::vector<Point>& polygon);

// The window shown and painted, with `n` vertices entered.
std::unique_ptr<Volunde> OpenWindow(int n);

// The polygon OpenWindow(n) enters.
std::vector<Point> WindowPolygon(const Volunde& window, int n);

// Counts the paint events that reach one widget, to check that the timed work painted.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget& widget);
    int count() const { return count_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int count_ = 0;
};

} // namespace bench
