#include "run_handler.h"

#include <QMessageBox>

namespace platform {

detail::HandlerNesting& detail::Nesting()
{
    static HandlerNesting nesting;
    return nesting;
}

void ShowRunTimeError(QWidget* window, const RunTimeError& error)
{
    auto* box = new QMessageBox(QMessageBox::Critical, window ? window->windowTitle() : QString(),
                                QStringLiteral("Грешка при изпълнение '%1':\n\n%2")
                                    .arg(error.number())
                                    .arg(error.description()),
                                QMessageBox::Ok, window);
    box->setObjectName(QStringLiteral("runTimeErrorBox"));
    // The window's palette and font, not the desktop's.
    box->setAttribute(Qt::WA_WindowPropagation);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace platform
