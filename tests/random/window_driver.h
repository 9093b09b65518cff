#pragma once

// Random use of the real window: mouse presses anywhere on and around the drawing surface, clicks
// and arrow keys in both coordinate lists, the three commands. A model of what the window must
// hold is kept alongside, and every invariant is checked against it after each event.

#include "app/volunde.h"

#include <QPoint>
#include <QString>

#include <cstdint>
#include <deque>
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

  private:
    void RandomPress();
    void RandomListClick();
    void RandomKey();
    void RandomCommand();
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
    // Commands are rare in some stretches, so that larger polygons come about too.
    bool building_ = false;
    std::deque<std::string> recent_;
};

} // namespace random_use
