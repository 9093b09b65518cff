#include "runtime_error.h"

namespace platform {

RunTimeError::RunTimeError(int number) : number_(number) {}

QString RunTimeError::description() const
{
    switch (number_) {
    case InvalidProcedureCall:
        return QStringLiteral("Невалидно извикване на процедура или аргумент");
    case Overflow:
        return QStringLiteral("Препълване");
    default:
        return QStringLiteral("Грешка, определена от приложението");
    }
}

const char* RunTimeError::what() const noexcept
{
    switch (number_) {
    case InvalidProcedureCall:
        return "Invalid procedure call or argument";
    case Overflow:
        return "Overflow";
    default:
        return "Application-defined error";
    }
}

void Raise(int number)
{
    throw RunTimeError(number);
}

} // namespace platform
