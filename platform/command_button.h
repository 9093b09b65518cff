#pragma once

#include <QPushButton>

namespace platform {

// A push button whose face shows its own colour, flat, inside a raised two-pixel edge lit from
// the top left; pressed, the edge is sunken and the caption moves one pixel down and right. With
// the keyboard focus it shows a dotted rectangle inside the edge, and Space and Enter press it;
// no button is the window's default, so Enter in another control presses none.
class CommandButton : public QPushButton {
    Q_OBJECT

  public:
    CommandButton(const QString& caption, QRgb face, QWidget* parent = nullptr);

  signals:
    void Click();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace platform
