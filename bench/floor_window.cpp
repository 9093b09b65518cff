#include "floor_window.h"

#include <QHeaderView>

#include "app/volunde.h"
#include "platform/twips.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace bench {

namespace {

int ToPixel(float twips)
{
    return static_cast<int>(std::floor(twips / platform::TwipsPerPixel));
}

Qt::PenStyle PenStyle(geometry::LineStyle style)
{
    switch (style) {
    case geometry::Dotted:
        return Qt::DotLine;
    case geometry::DashDot:
        return Qt::DashDotLine;
    default:
        return Qt::SolidLine;
    }
}

template <class Widget> Widget& CopyPlace(Widget* widget, const QWidget& pattern)
{
    widget->setGeometry(pattern.geometry());
    widget->setPalette(pattern.palette());
    return *widget;
}

QTableView* MakeList(QWidget* parent, QStringListModel& items)
{
    auto* list = new QTableView(parent);
    list->setModel(&items);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setShowGrid(false);
    list->setWordWrap(false);
    list->horizontalHeader()->hide();
    list->horizontalHeader()->setStretchLastSection(true);
    list->verticalHeader()->hide();
    list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 2);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

QPlainTextEdit* MakeReport(QWidget* parent)
{
    auto* box = new QPlainTextEdit(parent);
    box->setReadOnly(true);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setUndoRedoEnabled(false);
    return box;
}

} // namespace

Drawing DotsOf(const std::vector<Point>& polygon)
{
    Drawing drawing;
    drawing.dots.reserve(polygon.size());
    for (const Point& p : polygon)
        drawing.dots.emplace_back(ToPixel(p.x), ToPixel(p.y));
    return drawing;
}

void AddLines(Drawing& drawing, const geometry::Construction& construction)
{
    for (const geometry::Segment& s : construction.segments)
        drawing.lines.push_back({QPointF(ToPixel(s.x1), ToPixel(s.y1)),
                                 QPointF(ToPixel(s.x2), ToPixel(s.y2)), PenStyle(s.style)});
}

QString ShownReport(const geometry::Construction& construction)
{
    QString text = construction.report;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

FloorSurface::FloorSurface(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
}

void FloorSurface::erase()
{
    const QSize size = contentsRect().size() * devicePixelRatioF();
    if (image_.size() != size) {
        image_ = QImage(size, QImage::Format_RGB32);
        image_.setDevicePixelRatio(devicePixelRatioF());
    }
    image_.fill(palette().color(QPalette::Window));
    update(contentsRect());
}

void FloorSurface::draw(const Drawing& drawing)
{
    QPainter p(&image_);
    const QColor black(Qt::black);
    for (const QPoint& d : drawing.dots) {
        p.fillRect(QRect(d.x() - 2, d.y() - 1, 5, 3), black);
        p.fillRect(QRect(d.x() - 1, d.y() - 2, 3, 1), black);
        p.fillRect(QRect(d.x() - 1, d.y() + 2, 3, 1), black);
    }
    Qt::PenStyle style = Qt::NoPen;
    for (const Drawing::Line& line : drawing.lines) {
        if (line.style != style) {
            style = line.style;
            p.setPen(QPen(black, 1, style, Qt::FlatCap));
        }
        p.drawLine(line.from, line.to);
    }
    update(contentsRect());
}

void FloorSurface::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    const QRect inside = contentsRect();
    const QRect dirty = event->rect() & inside;
    if (dirty.isEmpty() || image_.isNull())
        return;
    const qreal ratio = image_.devicePixelRatio();
    QPainter(this).drawImage(
        QRectF(dirty), image_,
        QRectF(QPointF(dirty.topLeft() - inside.topLeft()) * ratio, QSizeF(dirty.size()) * ratio));
}

FloorWindow::FloorWindow(const Volunde& pattern)
    : surface(CopyPlace(new FloorSurface(this), pattern.Picture1)),
      report(CopyPlace(MakeReport(this), pattern.Text1(0))),
      xList(CopyPlace(MakeList(this, xItems), pattern.List1(0))),
      yList(CopyPlace(MakeList(this, yItems), pattern.List1(1)))
{
    setFixedSize(pattern.size());
    setFont(pattern.font());
    setPalette(pattern.palette());
    setAutoFillBackground(true);
    surface.erase();
}

} // namespace bench
