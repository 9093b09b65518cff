#pragma once

// Undo and redo of the changes to the polygon.

#include "platform/pixel_record.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// The window as it was before a change, as much of it as the change can alter.
struct WindowState {
    int pointCount = 0;
    int16_t selectedIndex = -1;
    int16_t inputState = 0;
    bool highlightShown = false;
    std::array<int, 2> listIndex{-1, -1};
    int drawWidth = 1;
    int drawStyle = 0;
    // The last vertex's texts, for a change that takes it back.
    QString lastX;
    QString lastY;
    // The whole vertex store, where the change emptied it.
    std::optional<std::array<QStringList, 2>> vertices;
    // The report, where the change replaced it.
    std::optional<QString> report;
    // The pixels that the change, and any highlighting until the next change, drew over.
    platform::PixelRecord drawing;
};

// The changes that can be undone, newest last, and those undone that can be made again. Each
// keeps the state before it and how to make it again. The oldest are dropped first once there
// are more than MaxSteps or the kept states take more than MaxBytes.
class History {
  public:
    static constexpr int MaxSteps = 1000;
    static constexpr std::int64_t MaxBytes = std::int64_t(64) << 20;

    struct Step {
        WindowState before;
        std::function<void()> again;
        std::int64_t bytes = 0;
    };

    // Adds `step` as the newest change. A new change drops the changes undone before it; one
    // made again by Redo keeps them.
    void Add(std::unique_ptr<Step> step, bool redoing);
    // The newest change, or none.
    Step* Newest() { return undo_.empty() ? nullptr : undo_.back().get(); }
    // Takes the newest change for undoing; it can then be made again.
    std::unique_ptr<Step> TakeUndo();
    // Takes how to make the change undone last again, or nothing.
    std::function<void()> TakeRedo();
    // What the kept states take, the newest's drawing as of when the change after it was added.
    std::int64_t Bytes() const { return bytes_; }
    int Undoable() const { return static_cast<int>(undo_.size()); }
    int Redoable() const { return static_cast<int>(redo_.size()); }

  private:
    static std::int64_t BytesOf(const WindowState& state);

    std::deque<std::unique_ptr<Step>> undo_;
    std::vector<std::function<void()>> redo_;
    std::int64_t bytes_ = 0;
};
