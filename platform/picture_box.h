#pragma once

#include "pixel_record.h"
#include "tint_layers.h"

#include <QFrame>
#include <QImage>
#include <QPainter>

#include <array>
#include <optional>
#include <utility>
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
    // Where the cross stands, in twips, while it is shown.
    std::optional<QPointF> Cross() const;

    // A tint over the polygon with these corners (twips): shown over the drawing, never drawn
    // into it, and multiplied with it, so that only the white ground takes the colour and black
    // stays black. A pixel whose centre the outline winds round clockwise, as seen on the
    // surface, takes the `clockwise` shade, the other way round the `anticlockwise` one, twice
    // or more a deeper shade of it; where it winds round 0 times, nothing. numbers[j] is written
    // beside corner j, small and dark with a white halo, unless it would overlap a number written
    // before it.
    void ShowTint(const std::vector<QPointF>& corners, const std::vector<int>& numbers,
                  Shade clockwise, Shade anticlockwise);
    void HideTint();
    bool TintShown() const { return !tint_.isNull(); }
    // The Winding flags of the ways the shown tint's outline winds round at least one pixel.
    int TintWindings() const { return tintWindings_; }
    // The numbers written beside the tint's corners, each with its box in pixels of the inside.
    const std::vector<std::pair<int, QRect>>& TintNumbers() const { return numbers_; }

    // The drawing as shown, with any tint and its numbers but without the cross or the focus
    // mark, at device resolution; CopyPicture puts it on the clipboard (so does Ctrl+C).
    QImage Picture();
    void CopyPicture();

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
    void focusInEvent(QFocusEvent* event) override;
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
    // Paints the tint and its numbers over `area` of the drawing, in pixels of the inside.
    void paintTint(QPainter& painter, const QRect& area) const;

    QImage image_;
    std::optional<QPoint> cross_;
    TintLayers tintLayers_;
    // The tint over the inside, white where it leaves the drawing as it is; its numbers, at
    // device resolution, transparent round them; the part of the inside they change.
    QImage tint_;
    QImage numberImage_;
    QRect tinted_;
    int tintWindings_ = 0;
    std::vector<std::pair<int, QRect>> numbers_;
    // Whether the focus came from the keyboard, so that a mark shows it.
    bool focusMarked_ = false;
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
