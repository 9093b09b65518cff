#include "start_position.h"

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

// Waits for the window's first show, then for its first exposure, when the window manager has
// framed it, and centres it once more by its frame.
class FrameCentring : public QObject {
  public:
    explicit FrameCentring(QWidget& window) : QObject(&window), window_(window)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window_ && event->type() == QEvent::Show && window_.windowHandle()) {
            window_.removeEventFilter(this);
            window_.windowHandle()->installEventFilter(this);
        } else if (watched == window_.windowHandle() && event->type() == QEvent::Expose &&
                   window_.windowHandle()->isExposed()) {
            watched->removeEventFilter(this);
            if (window_.frameGeometry() != window_.geometry())
                window_.move(CentredCorner(window_, window_.frameGeometry().size()));
            deleteLater();
        }
        return false;
    }

  private:
    QWidget& window_;
};

} // namespace

void CentreOnScreen(QWidget& window)
{
    window.setGeometry(QRect(CentredCorner(window, window.size()), window.size()));
    new FrameCentring(window);
}

} // namespace platform
