#include "failure.h"

#include "message_box.h"
#include "quiz_error.h"

#include <QApplication>
#include <QWidget>

#include <ostream>

namespace kinsight {

void reportFailure(const QuizError& error, std::ostream& log, QWidget* parent) {
    const std::string report = failureReport(error);
    log << report << std::endl;

    // A hidden window would place the box over nothing in particular.
    QWidget* owner = parent && parent->isVisible() ? parent : nullptr;
    showMessageBox(QMessageBox::Critical, QApplication::applicationName(),
                   QString::fromStdString(report), "failureReport", owner);
}

} // namespace kinsight
