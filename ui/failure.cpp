#include "failure.h"

#include "message_box.h"
#include "quiz_error.h"

#include <QApplication>
#include <QWidget>

#include <iostream>

namespace kinsight {

namespace {

ExitHandler& exitHandler() {
    static ExitHandler handler;
    return handler;
}

std::ostream*& failureLog() {
    static std::ostream* log = nullptr;
    return log;
}

} // namespace

void setExitHandler(ExitHandler handler) {
    exitHandler() = std::move(handler);
}

void setFailureLog(std::ostream* log) {
    failureLog() = log;
}

void reportFailureAndExit(const QuizError& error, QWidget* parent) {
    std::ostream& log = failureLog() ? *failureLog() : std::cerr;
    log << error.what() << std::endl;

    // A hidden window would place the box over nothing in particular.
    QWidget* owner = parent && parent->isVisible() ? parent : nullptr;
    showMessageBox(QMessageBox::Critical, QApplication::applicationName(),
                   QString::fromStdString(error.what()), "failureReport", owner);

    if (exitHandler())
        exitHandler()(kFailureExitStatus);
}

} // namespace kinsight
