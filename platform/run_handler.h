#pragma once

// Running the window's event handlers: a run-time error ends the handler, not the program.

#include "runtime_error.h"

#include <optional>

class QWidget;

namespace platform {

// Shows the error's number and description in a window-modal message box over `window` and
// returns at once; the program goes on with its window as it was.
void ShowRunTimeError(QWidget* window, const RunTimeError& error);

namespace detail {

// The handlers running now, one inside the other, and the first error one of them raised.
struct HandlerNesting {
    int depth = 0;
    std::optional<RunTimeError> error;
};
HandlerNesting& Nesting();

} // namespace detail

// Runs one event handler. A run-time error abandons the handler, not the program: the steps it
// had already carried out stay, and the error is shown. A handler raised from inside another (a
// list's Click from an assignment to its ListIndex) leaves the showing to the outermost one, so
// that one event shows at most one message, that of the first error.
template <class Handler> void RunHandler(QWidget* window, Handler&& handler)
{
    detail::HandlerNesting& nesting = detail::Nesting();
    struct Level {
        explicit Level(detail::HandlerNesting& n) : nesting(n) { ++nesting.depth; }
        ~Level() { --nesting.depth; }
        detail::HandlerNesting& nesting;
    };
    {
        const Level level(nesting);
        try {
            handler();
        } catch (const RunTimeError& error) {
            if (!nesting.error)
                nesting.error = error;
        }
    }
    if (nesting.depth == 0 && nesting.error) {
        const RunTimeError error = *nesting.error;
        nesting.error.reset();
        ShowRunTimeError(window, error);
    }
}

} // namespace platform
