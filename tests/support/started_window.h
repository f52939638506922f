// The quiz named as on the command line, started as the program starts it: a
// dry run, then the window on the text checked, or none. Failures are counted
// in exits and, with a log, reported as the program reports them.
#pragma once

#include "failure.h"
#include "startup.h"

namespace kinsight::test {

inline std::unique_ptr<QuizPlay> startWindow(const std::filesystem::path& quiz, QList<int>& exits,
                                             std::ostream* log = nullptr) {
    const FailureRoute failed = [&exits, log](const QuizError& error, QWidget* window) {
        if (log)
            reportFailure(error, *log, window);
        exits << kFailureExitStatus;
    };
    return openQuiz(locateQuiz(quiz), failed).play;
}

} // namespace kinsight::test
