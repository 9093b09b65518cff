#pragma once

#include <QPushButton>

namespace platform {

// A push button whose face shows its own colour.
class CommandButton : public QPushButton {
    Q_OBJECT

public:
    CommandButton(const QString& caption, QRgb face, QWidget* parent = nullptr);

signals:
    void Click();
};

} // namespace platform
