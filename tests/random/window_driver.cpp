#include "window_driver.h"

#include "app/static_texts.h"
#include "geometry/trapezoids.h"
#include "geometry/triangles.h"

#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLocale>
#include <QMessageBox>
#include <QTest>

#include <sstream>

namespace random_use {

namespace {

constexpr int TwipsPerPixel = 15;
constexpr QRgb Black = 0xFF000000;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb White = 0xFFFFFFFF;
// The outer height of the drawing surface, down to which the trapezoid legs run.
constexpr float SurfaceHeight = 3000.0F;

std::string Text(const QString& text)
{
    return text.toStdString();
}

// Drawings are compared by a hash of their pixels, so that a long history costs little memory.
size_t HashOf(const QImage& image)
{
    return qHashBits(image.constBits(), static_cast<size_t>(image.sizeInBytes()));
}

const char* ButtonName(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return "left";
    case Qt::RightButton:
        return "right";
    default:
        return "middle";
    }
}

std::string ModifierNames(Qt::KeyboardModifiers modifiers)
{
    std::string names;
    if (modifiers & Qt::ShiftModifier)
        names += "+shift";
    if (modifiers & Qt::ControlModifier)
        names += "+ctrl";
    if (modifiers & Qt::AltModifier)
        names += "+alt";
    return names;
}

} // namespace

WindowDriver::WindowDriver(Volunde& window, uint64_t seed) : w_(window), rng_(seed)
{
    model_.report = texts::HelpText();
}

int WindowDriver::Pick(int count)
{
    return static_cast<int>(rng_() % static_cast<uint64_t>(count));
}

void WindowDriver::Note(std::string what)
{
    // Each event starts with nothing drawn that must be checked.
    expectedPixels_.clear();
    expectBlank_ = false;
    expectedCross_.reset();
    expectedDrawing_.reset();
    recent_.push_back("#" + std::to_string(events_) + " " + what);
    if (recent_.size() > 12)
        recent_.pop_front();
}

std::string WindowDriver::Step()
{
    ++events_;
    if (events_ % 500 == 1)
        building_ = Pick(4) == 0;
    const int commands = building_ ? 4 : 70;
    const int roll = Pick(1000);
    if (roll < commands)
        RandomCommand();
    else if (roll < commands + 20)
        RandomUndoOrRedo();
    else if (roll < commands + 120)
        RandomSurfaceKey();
    else if (roll < commands + 180)
        RandomListClick();
    else if (roll < commands + 330)
        RandomKey();
    else
        RandomPress();
    if (events_ % 64 == 0)
        QCoreApplication::processEvents();
    return Check();
}

void WindowDriver::RandomPress()
{
    const QRect inside = w_.Picture1.contentsRect();
    const QRect outer = w_.Picture1.rect();
    QPoint at;
    const int where = Pick(100);
    if (where < 80) {
        at = QPoint(inside.left() + Pick(inside.width()), inside.top() + Pick(inside.height()));
    } else if (where < 88) {
        const QPoint corners[] = {inside.topLeft(), inside.topRight(), inside.bottomLeft(),
                                  inside.bottomRight()};
        at = corners[Pick(4)];
    } else if (where < 94) {
        // On the sunken border, just outside the inner corners and edges.
        const int band = Pick(4);
        const int x = inside.left() + Pick(inside.width());
        const int y = inside.top() + Pick(inside.height());
        at = band == 0   ? QPoint(x, inside.top() - 1 - Pick(inside.top()))
             : band == 1 ? QPoint(x, inside.bottom() + 1 + Pick(outer.bottom() - inside.bottom()))
             : band == 2 ? QPoint(inside.left() - 1 - Pick(inside.left()), y)
                         : QPoint(inside.right() + 1 + Pick(outer.right() - inside.right()), y);
    } else {
        // Beyond the surface altogether.
        at = QPoint(Pick(2) ? -1 - Pick(40) : outer.right() + 1 + Pick(40),
                    -40 + Pick(outer.height() + 80));
    }
    const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton,
                                       Qt::RightButton, Qt::MiddleButton};
    Qt::KeyboardModifiers modifiers;
    if (Pick(3) == 0) {
        const Qt::KeyboardModifier keys[] = {Qt::ShiftModifier, Qt::ControlModifier,
                                             Qt::AltModifier};
        for (Qt::KeyboardModifier key : keys)
            if (Pick(2))
                modifiers |= key;
    }
    PressAt(at, buttons[Pick(5)], modifiers);
}

void WindowDriver::PressAt(QPoint local, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    const QRect inside = w_.Picture1.contentsRect();
    Note("press " + std::string(ButtonName(button)) + ModifierNames(modifiers) + " at (" +
         std::to_string(local.x()) + ", " + std::to_string(local.y()) + ")");
    const Done start = Start();
    QTest::mousePress(&w_.Picture1, button, modifiers, local);
    QTest::mouseRelease(&w_.Picture1, button, modifiers, local);
    Finish(start, Place(inside.contains(local), (local - inside.topLeft()) * TwipsPerPixel));
}

// Brings the model along with a vertex placed at `twips`, where `wanted` and entry is open.
std::function<void()> WindowDriver::Place(bool wanted, QPoint twips)
{
    return [this, wanted, twips] {
        if (wanted && !model_.closed &&
            static_cast<int>(model_.vertices.size()) < Volunde::MaxVertices) {
            model_.vertices.push_back(twips);
            model_.penWidth = 1;
            expectedPixels_.emplace_back(twips, Black);
        }
    };
}

void WindowDriver::RandomListClick()
{
    const int list = Pick(2);
    const int count = static_cast<int>(model_.vertices.size());
    Qt::MouseButton button = Qt::LeftButton;
    if (Pick(6) == 0)
        button = Pick(2) ? Qt::RightButton : Qt::MiddleButton;
    Qt::KeyboardModifiers modifiers;
    const int modifier = Pick(8);
    if (modifier == 0)
        modifiers = Qt::ControlModifier;
    else if (modifier == 1)
        modifiers = Qt::ShiftModifier;
    // Now and then the selected entry again.
    const int row = count == 0                             ? -1
                    : model_.selected >= 0 && Pick(4) == 0 ? model_.selected
                                                           : Pick(count);
    ClickItem(list, row, button, modifiers);
}

void WindowDriver::ClickItem(int list, int row, Qt::MouseButton button,
                             Qt::KeyboardModifiers modifiers)
{
    platform::ListBox& box = w_.List1(list);
    Note("click " + std::string(ButtonName(button)) + ModifierNames(modifiers) + " list " +
         std::to_string(list) + " row " + std::to_string(row));
    if (row < 0) {
        QTest::mouseClick(box.viewport(), button, modifiers, box.viewport()->rect().center());
        return;
    }
    const QModelIndex item = box.model()->index(row, 0);
    box.scrollTo(item);
    const QRect visible = box.visualRect(item) & box.viewport()->rect();
    QTest::mouseClick(box.viewport(), button, modifiers, visible.center());
    if (button != Qt::LeftButton)
        return; // only the left button selects
    model_.selected = row;
    model_.penWidth = 1;
    expectedPixels_.emplace_back(model_.vertices[static_cast<std::size_t>(row)], Red);
}

void WindowDriver::RandomKey()
{
    Key(Pick(2), Pick(2) ? Qt::Key_Down : Qt::Key_Up);
}

void WindowDriver::Key(int list, int key)
{
    Note(std::string(key == Qt::Key_Down ? "down" : "up") + " in list " + std::to_string(list));
    QTest::keyClick(&w_.List1(list), static_cast<Qt::Key>(key));
    const int count = static_cast<int>(model_.vertices.size());
    if (count == 0)
        return;
    const int from = model_.selected;
    int to = 0; // with nothing selected either key selects the first entry
    if (from >= 0)
        to = std::clamp(from + (key == Qt::Key_Down ? 1 : -1), 0, count - 1);
    if (to != from) {
        model_.selected = to;
        model_.penWidth = 1;
        expectedPixels_.emplace_back(model_.vertices[static_cast<std::size_t>(to)], Red);
    }
}

void WindowDriver::RandomSurfaceKey()
{
    const int roll = Pick(20);
    const Qt::Key arrows[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
    if (roll < 12) {
        SurfaceKey(arrows[Pick(4)], Pick(3) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
    } else if (roll < 17) {
        SurfaceKey(Pick(2) ? Qt::Key_Space : Qt::Key_Return, {});
    } else {
        SurfaceKey(Qt::Key_Backspace, {});
    }
}

WindowDriver::Done WindowDriver::Start()
{
    return {model_, HashOf(w_.Picture1.image()), 0, {}};
}

// After a change's event: `effect` brings the model along, and the change is recorded if it
// changed anything. A new change drops what could have been redone, one made again keeps it.
void WindowDriver::Finish(Done done, std::function<void()> effect, bool redoing)
{
    effect();
    done.drawingAfter = HashOf(w_.Picture1.image());
    if (model_ == done.before && done.drawingAfter == done.drawingBefore)
        return;
    done.effect = std::move(effect);
    changes_.push_back(std::move(done));
    // The window keeps this many changes on polygons of this size.
    if (static_cast<int>(changes_.size()) > History::MaxSteps)
        changes_.pop_front();
    if (!redoing)
        undone_.clear();
}

// Ctrl+Z to undo, or Ctrl+Y or Ctrl+Shift+Z to redo, sent to any control of the window.
void WindowDriver::RandomUndoOrRedo()
{
    QWidget* targets[] = {&w_.Picture1, &w_.List1(0), &w_.List1(1), &w_.Text1(0)};
    QWidget* target = targets[Pick(4)];
    const bool undo = Pick(5) < 3;
    const QKeyCombination key = undo           ? Qt::ControlModifier | Qt::Key_Z
                                : Pick(2) == 0 ? Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z
                                               : Qt::ControlModifier | Qt::Key_Y;
    Note("key " + Text(QKeySequence(key).toString()) + " on " + target->metaObject()->className());
    const Done start = Start();
    QTest::keyClick(target, key.key(), key.keyboardModifiers());
    std::deque<Done>& from = undo ? changes_ : undone_;
    // The shortcuts belong to the window: they need it active.
    if (!w_.isActiveWindow() || from.empty()) {
        expectedDrawing_ = start.drawingBefore;
        return;
    }
    Done done = std::move(from.back());
    from.pop_back();
    if (undo) {
        model_ = done.before;
        expectedDrawing_ = done.drawingBefore;
        undone_.push_back(std::move(done));
        return;
    }
    // Made again on the state it was undone to, the change has the same result as the first time.
    if (start.before == done.before && start.drawingBefore == done.drawingBefore)
        expectedDrawing_ = done.drawingAfter;
    Finish(start, std::move(done.effect), true);
}

void WindowDriver::SurfaceKey(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    Note("key " + Text(QKeySequence(key | modifiers).toString()) + " on the surface");
    // Where the cross stands before the key: where it is shown, or else where it starts.
    const QSize inside = w_.Picture1.contentsRect().size();
    QPoint from(inside.width() / 2, inside.height() / 2);
    const bool shown = w_.Picture1.CrossShown();
    if (shown)
        from = w_.Picture1.Cross()->toPoint() / TwipsPerPixel;
    else if (!model_.vertices.empty())
        from = model_.vertices.back() / TwipsPerPixel;
    w_.Picture1.setFocus();
    const Done start = Start();
    QTest::keyClick(&w_.Picture1, key, modifiers);

    const int step = modifiers & Qt::ShiftModifier ? 10 : 1;
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const QPoint move = key == Qt::Key_Left    ? QPoint(-step, 0)
                            : key == Qt::Key_Right ? QPoint(step, 0)
                            : key == Qt::Key_Up    ? QPoint(0, -step)
                                                   : QPoint(0, step);
        expectedCross_ = QPoint(std::clamp(from.x() + move.x(), 0, inside.width() - 1),
                                std::clamp(from.y() + move.y(), 0, inside.height() - 1));
        return;
    }
    case Qt::Key_Space:
    case Qt::Key_Return:
        // With no cross shown the key only shows it.
        Finish(start, Place(shown, from * TwipsPerPixel));
        expectedCross_ = from;
        return;
    default:
        Finish(start, [this] {
            if (model_.closed || model_.vertices.empty())
                return;
            const QPoint gone = model_.vertices.back();
            model_.vertices.pop_back();
            if (model_.selected == static_cast<int>(model_.vertices.size()))
                model_.selected = -1;
            model_.penWidth = 1;
            // Its dot is gone, unless another dot covers the spot.
            const bool covered =
                std::any_of(model_.vertices.begin(), model_.vertices.end(), [&](QPoint v) {
                    const QPoint d = (v - gone) / TwipsPerPixel;
                    return std::abs(d.x()) <= 4 && std::abs(d.y()) <= 4;
                });
            if (!covered)
                expectedPixels_.emplace_back(gone, White);
        });
    }
}

void WindowDriver::RandomCommand()
{
    Command(Pick(3), Pick(2) == 0);
}

void WindowDriver::Command(int index, bool byMouse)
{
    Note("command " + std::to_string(index) + (byMouse ? " by mouse" : " by its event"));
    const Done start = Start();
    if (byMouse)
        QTest::mouseClick(&w_.Command1(index), Qt::LeftButton);
    else
        emit w_.Command1(index).Click();
    // The report box shows its text at the next turn of the event loop.
    QCoreApplication::processEvents();
    Finish(start, [this, index] { CommandEffect(index); });
}

void WindowDriver::CommandEffect(int index)
{
    const int count = static_cast<int>(model_.vertices.size());
    if (index == 2) {
        model_ = Model{{}, -1, false, QString(), 5, model_.drawStyle};
        expectBlank_ = true;
        return;
    }
    model_.penWidth = 1;
    model_.report.clear();
    for (const QPoint& vertex : model_.vertices)
        expectedPixels_.emplace_back(vertex, Black);
    if (count < 3)
        return;
    QStringList x;
    QStringList y;
    for (const QPoint& vertex : model_.vertices) {
        x.append(QString::number(vertex.x()));
        y.append(QString::number(vertex.y()));
    }
    const QChar point = QLocale().decimalPoint().front();
    const geometry::Construction run =
        index == 0 ? geometry::ByTrapezoids({x, y}, count, SurfaceHeight, point)
                   : geometry::ByTriangles({x, y}, count, point);
    model_.report = run.report;
    model_.closed = true;
    model_.drawStyle = index == 0 ? 2 : 0;
}

std::string WindowDriver::PixelIs(QPoint twips, QRgb colour, const char* what)
{
    const QImage& image = w_.Picture1.image();
    const QPoint pixel = twips / TwipsPerPixel;
    const QRgb found = image.pixel(pixel);
    if (found == colour)
        return {};
    std::ostringstream out;
    out << what << " at twips (" << twips.x() << ", " << twips.y() << ") has colour " << std::hex
        << found << ", not " << colour;
    return out.str();
}

std::string WindowDriver::Check()
{
    std::string failure = Invariants();
    if (failure.empty())
        return failure;
    std::string history;
    for (const std::string& event : recent_)
        history += "\n  " + event;
    return "after event #" + std::to_string(events_) + ": " + failure + "\nlast events:" + history;
}

std::string WindowDriver::Invariants()
{
    const auto count = static_cast<int>(model_.vertices.size());
    if (w_.PointCount != count)
        return "PointCount " + std::to_string(w_.PointCount) + ", expected " +
               std::to_string(count);
    for (int list = 0; list < 2; ++list) {
        const platform::ListBox& box = w_.List1(list);
        if (box.ListCount() != count)
            return "list " + std::to_string(list) + " holds " + std::to_string(box.ListCount()) +
                   " items, expected " + std::to_string(count);
        for (int k = 0; k < count; ++k) {
            const QPoint& vertex = model_.vertices[static_cast<std::size_t>(k)];
            const QString expected = QString::number(list == 0 ? vertex.x() : vertex.y());
            if (box.List(k) != expected)
                return "list " + std::to_string(list) + " item " + std::to_string(k) + " is \"" +
                       Text(box.List(k)) + "\", expected " + Text(expected);
        }
        if (box.ListIndex() != model_.selected)
            return "list " + std::to_string(list) + " shows entry " +
                   std::to_string(box.ListIndex()) + ", expected " +
                   std::to_string(model_.selected);
        const QModelIndexList shown = box.selectionModel()->selectedIndexes();
        const bool shownRight = model_.selected < 0
                                    ? shown.isEmpty()
                                    : shown.size() == 1 && shown.front().row() == model_.selected;
        if (!shownRight)
            return "list " + std::to_string(list) + " highlights other entries than " +
                   std::to_string(model_.selected);
    }
    if (w_.InputState != (model_.closed ? -1 : 0))
        return "InputState " + std::to_string(w_.InputState) + ", expected " +
               (model_.closed ? "-1" : "0");
    if (w_.SelectedIndex != model_.selected)
        return "SelectedIndex " + std::to_string(w_.SelectedIndex) + ", expected " +
               std::to_string(model_.selected);
    if (w_.Text1(0).Text() != model_.report)
        return "the report differs from the core's:\n" + Text(w_.Text1(0).Text()) +
               "\n--- expected ---\n" + Text(model_.report);
    if (QLocale().decimalPoint() == u"," && model_.closed && w_.Text1(0).Text().contains(u'.'))
        return "a decimal point in the report under a locale with a decimal comma";
    if (w_.Picture1.DrawWidth() != model_.penWidth)
        return "pen width " + std::to_string(w_.Picture1.DrawWidth()) + ", expected " +
               std::to_string(model_.penWidth);
    if (w_.Picture1.DrawStyle() != model_.drawStyle)
        return "line style " + std::to_string(w_.Picture1.DrawStyle()) + ", expected " +
               std::to_string(model_.drawStyle);
    if (expectedCross_ && w_.Picture1.Cross() != QPointF(*expectedCross_ * TwipsPerPixel))
        return "the cross is not at pixel (" + std::to_string(expectedCross_->x()) + ", " +
               std::to_string(expectedCross_->y()) + ")";
    if (!w_.Picture1.accessibleDescription().startsWith(QStringLiteral("Върхове: %1.").arg(count)))
        return "the surface's description says " + Text(w_.Picture1.accessibleDescription());
    if (w_.findChild<QMessageBox*>(QStringLiteral("runTimeErrorBox")))
        return "a run-time error was shown";
    for (const auto& [twips, colour] : expectedPixels_) {
        std::string failure = PixelIs(twips, colour,
                                      colour == Red     ? "the selected vertex"
                                      : colour == White ? "the vertex taken back"
                                                        : "a vertex dot");
        if (!failure.empty())
            return failure;
    }
    if (expectedDrawing_ && HashOf(w_.Picture1.image()) != *expectedDrawing_)
        return "the drawing is not the one recorded for this state";
    if (expectBlank_) {
        const QImage& image = w_.Picture1.image();
        for (int row = 0; row < image.height(); ++row) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(row));
            for (int column = 0; column < image.width(); ++column)
                if (line[column] != White)
                    return "the surface is not blank after the clear command at pixel (" +
                           std::to_string(column) + ", " + std::to_string(row) + ")";
        }
    }
    return {};
}

} // namespace random_use
