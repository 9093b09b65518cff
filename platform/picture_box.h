#pragma once

#include "pixel_record.h"

#include <QFrame>
#include <QImage>
#include <QPainter>

#include <array>
#include <optional>
#include <vector>

namespace platform {

// A drawing surface with a sunken border. Everything drawn goes into a persistent backing image
// at the screen's device resolution; painting only copies that image. Coordinates are twips
// from the top left corner of the inside of the border, y downwards.
class PictureBox : public QFrame {
    Q_OBJECT

  public:
    enum DrawStyles { Solid = 0, Dotted = 2, DashDot = 3 };

    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    void setAutoRedraw(bool on) { autoRedraw_ = on; }
    bool AutoRedraw() const { return autoRedraw_; }
    void setDrawWidth(int pixels) { drawWidth_ = pixels; }
    int DrawWidth() const { return drawWidth_; }
    void setDrawStyle(int style) { drawStyle_ = style; }
    int DrawStyle() const { return drawStyle_; }
    QColor ForeColor() const { return palette().color(QPalette::WindowText); }

    // Erases all drawing to the background colour.
    void Cls();
    // How many times the drawing has been erased.
    int Erasures() const { return erasures_; }
    // A round dot DrawWidth pixels across, centred on the point, in ForeColor or `color`.
    void PSet(float x, float y);
    void PSet(float x, float y, QRgb color);
    // A straight segment DrawWidth pixels wide in the current DrawStyle.
    void Line(float x1, float y1, float x2, float y2, QRgb color);
    // Outer height, border included, in twips.
    float Height() const;
    // The size of the drawing area inside the border, in twips.
    float ScaleWidth() const;
    float ScaleHeight() const;

    // The keyboard cursor: a small cross shown over the drawing, never drawn into it. A mouse
    // press on the box and the loss of the focus hide it.
    void ShowCross(float x, float y);
    void HideCross();
    bool CrossShown() const { return cross_.has_value(); }
    float CrossX() const;
    float CrossY() const;

    // A tint over the polygon with these corners (twips): shown over the drawing, never drawn
    // into it, and multiplied with it, so that only the white ground takes the colour and
    // black stays black.
    void ShowTint(const std::vector<QPointF>& corners, QRgb colour);
    void HideTint();
    bool TintShown() const { return !tint_.isNull(); }

    // What has been drawn so far, at device resolution.
    const QImage& image();

    // Where drawing saves the pixels it is about to change; none with nullptr.
    void setRecord(PixelRecord* record) { record_ = record; }
    // Puts the pixels of `record` back into the drawing; they are saved in no record.
    void Restore(const PixelRecord& record);

  signals:
    // A mouse button pressed over the inside. `button`: 1 left, 2 right, 4 middle; `shift`: 1
    // Shift, 2 Ctrl, 4 Alt; x and y in whole pixels, as twips.
    void MouseDown(int button, int shift, float x, float y);
    // A key pressed while the box has the focus: the Qt key code and the same shift codes. A
    // held Space or Enter presses once, as on a button; the other keys repeat.
    void KeyDown(int keyCode, int shift);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    QPainter& painter();
    // A pen for Line in `color` at the present DrawWidth and DrawStyle.
    const QPen& pen(QRgb color);
    void endPainting();
    void drawn();
    // Saves to the record the pixels of `area` (logical pixels of the inside) before they change.
    void keep(QRect area);

    // Where the cross stands over the inside, in pixels; what it covers.
    QRect crossArea() const;

    QImage image_;
    std::optional<QPoint> cross_;
    // The tint over the inside: its colour where the polygon covers a pixel's centre (even-odd),
    // white elsewhere; and the part of the inside it changes.
    QImage tint_;
    QRect tinted_;
    std::optional<QPainter> painter_;
    PixelRecord* record_ = nullptr;
    std::array<QPen, 3> pens_{QPen(Qt::NoPen), QPen(Qt::NoPen), QPen(Qt::NoPen)};
    bool autoRedraw_ = false;
    bool updatePending_ = false;
    int drawWidth_ = 1;
    int erasures_ = 0;
    int drawStyle_ = Solid;
};

} // namespace platform
