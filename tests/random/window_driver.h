#pragma once

// Random use of the real window: mouse presses anywhere on and around the drawing surface, clicks
// and arrow keys in both coordinate lists, the three commands, and the surface's keys: the cross
// moved, a vertex placed at it, the last vertex taken back. A model of what the window must
// hold is kept alongside, and every invariant is checked against it after each event. Undo and
// redo too: an undo must bring back exactly the model and drawing recorded before the change.

#include "app/volunde.h"

#include <QPoint>
#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace random_use {

// What the window must hold after the events so far.
struct Model {
    std::vector<QPoint> vertices; // twips of the accepted presses, in order
    int selected = -1;
    bool closed = false;
    QString report;
    int penWidth = 5;
    int drawStyle = 0;

    bool operator==(const Model&) const = default;
};

class WindowDriver {
  public:
    WindowDriver(Volunde& window, uint64_t seed);

    // Carries out one random event and checks every invariant. Returns an empty text when all
    // hold, otherwise what failed, with the events that led there.
    std::string Step();

    // The same checks without an event.
    std::string Check();

    const Model& model() const { return model_; }
    long events() const { return events_; }

    // Events of a kind, for building a state on purpose.
    void PressAt(QPoint local, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void ClickItem(int list, int row, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void Key(int list, int key);
    void Command(int index, bool byMouse);
    // A key for the surface, sent to it.
    void SurfaceKey(Qt::Key key, Qt::KeyboardModifiers modifiers);

  private:
    void RandomPress();
    void RandomListClick();
    void RandomKey();
    void RandomCommand();
    void RandomSurfaceKey();
    void RandomUndoOrRedo();
    void CommandEffect(int index);
    std::function<void()> Place(bool wanted, QPoint twips);
    void Note(std::string what);
    std::string Invariants();
    std::string PixelIs(QPoint twips, QRgb colour, const char* what);
    int Pick(int count);

    Volunde& w_;
    std::mt19937_64 rng_;
    Model model_;
    long events_ = 0;
    // Vertex pixels the last event must have drawn, and in which colour.
    std::vector<std::pair<QPoint, QRgb>> expectedPixels_;
    bool expectBlank_ = false;
    // Where the last arrow key must have put the cross, in pixels.
    std::optional<QPoint> expectedCross_;
    // Commands are rare in some stretches, so that larger polygons come about too.
    bool building_ = false;
    std::deque<std::string> recent_;

    // A change as the window recorded it: the model and drawing before it, the drawing after
    // it, and what it does to the model, made again on a redo.
    struct Done {
        Model before;
        size_t drawingBefore;
        size_t drawingAfter = 0;
        std::function<void()> effect;
    };
    // The model and the drawing before a change's event.
    Done Start();
    void Finish(Done done, std::function<void()> effect, bool redoing = false);
    std::deque<Done> changes_;
    std::deque<Done> undone_;
    // The whole drawing the last event must have left.
    std::optional<size_t> expectedDrawing_;
};

} // namespace random_use
