#pragma once

// Start-up probes report on standard output, as "painted <nanoseconds>", the moment the first
// paint of their window has finished, on the monotonic clock that the starting process also reads.

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <functional>

namespace bench {

inline long long MonotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

inline void ReportPainted()
{
    std::printf("painted %lld\n", MonotonicNanoseconds());
    std::fflush(stdout);
}

// Runs `then` at the first turn of the event loop after the window's first paint event, that
// is once the whole window has been painted.
class AfterFirstPaint : public QObject {
  public:
    AfterFirstPaint(QWidget& window, std::function<void()> then) : then_(std::move(then))
    {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (!seen_ && event->type() == QEvent::Paint) {
            seen_ = true;
            QTimer::singleShot(0, this, then_);
        }
        return false;
    }

  private:
    std::function<void()> then_;
    bool seen_ = false;
};

} // namespace bench
