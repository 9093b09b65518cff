#pragma once

#include <QPushButton>

namespace platform {

// A push button whose face shows its own colour. With the focus on it, Space and Enter press it;
// no button is the window's default, so Enter in another control presses none.
class CommandButton : public QPushButton {
    Q_OBJECT

  public:
    CommandButton(const QString& caption, QRgb face, QWidget* parent = nullptr);

  signals:
    void Click();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace platform
