#include "failure.h"

#include "message_box.h"
#include "quiz_error.h"

#include <QApplication>
#include <QWidget>

#include <ostream>

namespace kinsight {

std::string failureText(const QuizError& error) {
    return error.what();
}

void reportFailure(const QuizError& error, std::ostream& log, QWidget* parent) {
    const std::string text = failureText(error);
    log << text << std::endl;

    // A hidden window would place the box over nothing in particular.
    QWidget* owner = parent && parent->isVisible() ? parent : nullptr;
    showMessageBox(QMessageBox::Critical, QApplication::applicationName(),
                   QString::fromStdString(text), "failureReport", owner);
}

} // namespace kinsight
