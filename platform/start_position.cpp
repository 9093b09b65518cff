#include "start_position.h"

#include <QBasicTimer>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace platform {

namespace {

// The top left corner of a rectangle of `size` centred on the window's screen.
QPoint CentredCorner(const QWidget& window, QSize size)
{
    const QRect screen = window.screen()->availableGeometry();
    return screen.topLeft() +
           QPoint((screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2);
}

// After the window's first show, watches for its frame: the window manager frames it some time
// after it is mapped, and says so only in a property that raises no event. Once the frame is
// there, centres the window by it; gives up after a few seconds without one.
class FrameCentring : public QObject {
  public:
    explicit FrameCentring(QWidget& window) : QObject(&window), window_(window)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            window_.removeEventFilter(this);
            ticks_.start(50, this);
        }
        return false;
    }

  protected:
    void timerEvent(QTimerEvent* /*event*/) override
    {
        if (!window_.windowHandle()) {
            ticks_.stop();
            deleteLater();
            return;
        }
        // The window's margins, not the widget's, which keeps those it saw first.
        const QMargins frame = window_.windowHandle()->frameMargins();
        const bool framed = !frame.isNull();
        if (framed)
            window_.move(CentredCorner(window_, window_.size().grownBy(frame)));
        if (framed || ++count_ == 60) {
            ticks_.stop();
            deleteLater();
        }
    }

  private:
    QWidget& window_;
    QBasicTimer ticks_;
    int count_ = 0;
};

} // namespace

void CentreOnScreen(QWidget& window)
{
    window.setGeometry(QRect(CentredCorner(window, window.size()), window.size()));
    new FrameCentring(window);
}

} // namespace platform
