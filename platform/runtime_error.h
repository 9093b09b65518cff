#pragma once

#include <QString>

#include <exception>

class QWidget;

namespace platform {

// A run-time error of the program: a number and its description, as the user is shown it.
class RunTimeError : public std::exception {
public:
    explicit RunTimeError(int number);

    int number() const noexcept { return number_; }
    QString description() const;
    const char* what() const noexcept override;

private:
    int number_;
};

inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;

[[noreturn]] void Raise(int number);

// Shows the error's number and description in a window-modal message box over `window` and
// returns at once; the program goes on with its window as it was.
void ShowRunTimeError(QWidget* window, const RunTimeError& error);

// Runs one event handler. A run-time error abandons the handler, not the program: the steps it
// had already carried out stay, and the error is shown.
template <class Handler> void RunHandler(QWidget* window, Handler&& handler)
{
    try {
        handler();
    } catch (const RunTimeError& error) {
        ShowRunTimeError(window, error);
    }
}

} // namespace platform
