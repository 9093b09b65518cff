#pragma once

#include <QLabel>

namespace platform {

// A caption, centred at the top of a coloured background.
class Label : public QLabel {
    Q_OBJECT

  public:
    Label(const QString& caption, QRgb background, QWidget* parent = nullptr);
};

} // namespace platform
