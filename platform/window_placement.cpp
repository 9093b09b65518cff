#include "window_placement.h"

#include <QBasicTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace platform {

namespace {

// The top left corner nearest to `corner` for a rectangle of `size` inside `area`; where the
// rectangle is the larger, its corner goes to the area's top or left edge, so that a frame's
// title bar and close box stay on the screen.
QPoint Inside(const QRect& area, QPoint corner, QSize size)
{
    return {std::max(area.left(), std::min(corner.x(), area.right() + 1 - size.width())),
            std::max(area.top(), std::min(corner.y(), area.bottom() + 1 - size.height()))};
}

// The top left corner of a rectangle of `size` centred on the primary screen's usable area.
QPoint CentredCorner(QSize size)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize room = screen.size() - size;
    return Inside(screen, screen.topLeft() + QPoint(room.width() / 2, room.height() / 2), size);
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
            window_.move(CentredCorner(window_.size().grownBy(frame)));
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

// Qt 6.4 leaves a window moved onto a screen of another scale at its old size in device pixels,
// which is another logical size there: a fixed-size window shows only part of its layout. Once
// Qt has taken the new screen's scale, this gives the window its fixed size again (resizing also
// renews the size hints that the window manager holds it to, in the new device pixels), and
// moves it where it shows whole on that screen if it has grown past the screen's edge.
class SizeKeeper : public QObject {
  public:
    explicit SizeKeeper(QWidget& window) : QObject(&window), window_(window)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        if (event->type() == QEvent::ScreenChangeInternal)
            QMetaObject::invokeMethod(this, &SizeKeeper::Restore, Qt::QueuedConnection);
        return false;
    }

  private:
    void Restore()
    {
        if (window_.size() == window_.minimumSize())
            return;
        window_.resize(window_.minimumSize());
        const QRect frame = window_.frameGeometry();
        window_.move(Inside(window_.screen()->availableGeometry(), frame.topLeft(), frame.size()));
    }

    QWidget& window_;
};

} // namespace

void CentreOnScreen(QWidget& window)
{
    window.setGeometry(QRect(CentredCorner(window.size()), window.size()));
    new FrameCentring(window);
}

void KeepSizeOnEveryScreen(QWidget& window)
{
    new SizeKeeper(window);
}

} // namespace platform
