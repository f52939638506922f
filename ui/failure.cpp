#include "failure.h"

#include "message_box.h"
#include "quiz_error.h"
#include "text.h"

#include <QApplication>
#include <QWidget>

#include <ostream>

namespace kinsight {

std::string failureText(const QuizError& error) {
    return error.what();
}

void reportFailure(const QuizError& error, std::ostream& log, QWidget* parent) {
    const std::string text = failureText(error);
    // The box shows the text as it is; a terminal must not obey it.
    log << escapedControls(text) << std::endl;

    // A hidden window would place the box over nothing in particular.
    QWidget* owner = parent && parent->isVisible() ? parent : nullptr;
    showMessageBox(QMessageBox::Critical, QApplication::applicationName(),
                   QString::fromStdString(text), "failureReport", owner);
}

} // namespace kinsight
