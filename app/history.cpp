#include "history.h"

namespace {

// A text's characters as allocated, with their block's header and the allocator's own, and the
// text's place in its list.
std::int64_t TextBytes(const QString& text)
{
    return 2 * (std::int64_t(text.capacity()) + 1) + 48 + std::int64_t(sizeof(QString));
}

} // namespace

std::int64_t History::BytesOf(const WindowState& state)
{
    std::int64_t bytes = std::int64_t(sizeof(Step)) + state.drawing.Bytes() +
                         TextBytes(state.lastX) + TextBytes(state.lastY);
    if (state.report)
        bytes += TextBytes(*state.report);
    if (state.vertices)
        for (const QStringList& list : *state.vertices)
            for (const QString& text : list)
                bytes += TextBytes(text);
    return bytes;
}

void History::Add(std::unique_ptr<Step> step, bool redoing)
{
    if (!redoing)
        redo_.clear();
    // The newest change's drawing stops growing now: compress it and count what it takes.
    if (Step* newest = Newest()) {
        newest->before.drawing.Seal();
        bytes_ -= newest->bytes;
        newest->bytes = BytesOf(newest->before);
        bytes_ += newest->bytes;
    }
    step->bytes = BytesOf(step->before);
    bytes_ += step->bytes;
    undo_.push_back(std::move(step));
    while (undo_.size() > MaxSteps || (bytes_ > MaxBytes && undo_.size() > 1)) {
        bytes_ -= undo_.front()->bytes;
        undo_.pop_front();
    }
}

std::unique_ptr<History::Step> History::TakeUndo()
{
    if (undo_.empty())
        return nullptr;
    std::unique_ptr<Step> step = std::move(undo_.back());
    undo_.pop_back();
    bytes_ -= step->bytes;
    redo_.push_back(step->again);
    return step;
}

std::function<void()> History::TakeRedo()
{
    if (redo_.empty())
        return {};
    std::function<void()> again = std::move(redo_.back());
    redo_.pop_back();
    return again;
}
