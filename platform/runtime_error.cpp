#include "runtime_error.h"

#include <QMessageBox>

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

detail::HandlerNesting& detail::Nesting()
{
    static HandlerNesting nesting;
    return nesting;
}

void Raise(int number)
{
    throw RunTimeError(number);
}

void ShowRunTimeError(QWidget* window, const RunTimeError& error)
{
    auto* box = new QMessageBox(QMessageBox::Critical, window ? window->windowTitle() : QString(),
                                QStringLiteral("Грешка при изпълнение '%1':\n\n%2")
                                    .arg(error.number())
                                    .arg(error.description()),
                                QMessageBox::Ok, window);
    box->setObjectName(QStringLiteral("runTimeErrorBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace platform
