#pragma once

#include <QString>

#include <exception>

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

} // namespace platform
