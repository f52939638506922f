#include "failure.h"

#include "message_box.h"
#include "quiz_error.h"
#include "text.h"

#include <QApplication>
#include <QWidget>

#include <ostream>

namespace kinsight {

void reportFailure(const QuizError& error, std::ostream& log, QWidget* parent) {
    const std::string text = failureReport(error);
    // The box shows the text as it is; a terminal must not obey it.
    log << escapedLines(text) << std::endl;

    // A hidden window would place the box over nothing in particular.
    QWidget* owner = parent && parent->isVisible() ? parent : nullptr;
    showMessageBox(QMessageBox::Critical, QApplication::applicationName(),
                   QString::fromStdString(text), "failureReport", owner);
}

} // namespace kinsight
