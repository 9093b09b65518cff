#pragma once

// The floor a command is measured against: the least work any implementation has to do for the
// same visible result with the same kinds of widgets. The finished picture and report are built
// beforehand; the floor only puts them on the screen, once, and paints.

#include "polygon.h"

#include "geometry/construction.h"

#include <QFrame>
#include <QImage>
#include <QPlainTextEdit>
#include <QStringListModel>
#include <QTableView>

#include <vector>

class Volunde;

namespace bench {

// Finished drawing in device pixels: the vertex dots and the construction lines in order.
struct Drawing {
    struct Line {
        QPointF from, to;
        Qt::PenStyle style;
    };
    std::vector<QPoint> dots;
    std::vector<Line> lines;
};

Drawing DotsOf(const std::vector<Point>& polygon);
void AddLines(Drawing& drawing, const geometry::Construction& construction);

// The report as the box shows it: lines split at line feeds.
QString ShownReport(const geometry::Construction& construction);

// A framed surface that blits its own image, like the drawing surface.
class FloorSurface : public QFrame {
  public:
    explicit FloorSurface(QWidget* parent);

    void erase();
    // Draws the dots, 5 pixels across, and then the lines, 1 pixel wide, all black.
    void draw(const Drawing& drawing);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
};

// A window with the size, font and colours of the program's window and, at the same places, a
// surface, the report box and the two coordinate lists.
class FloorWindow : public QWidget {
  public:
    explicit FloorWindow(const Volunde& pattern);

    // The lists' items; declared first, so that they exist before the views that show them.
    QStringListModel xItems;
    QStringListModel yItems;
    FloorSurface& surface;
    QPlainTextEdit& report;
    QTableView& xList;
    QTableView& yList;
};

} // namespace bench
