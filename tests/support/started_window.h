// The main window started as the program starts it: a dry run of the quiz
// named as on the command line, then the window on the text checked, or no
// window. Failures are counted in exits and, with a log, reported as the
// program reports them.
#pragma once

#include "failure.h"
#include "startup.h"

#include <QList>

namespace kinsight::test {

inline std::unique_ptr<Only> startWindow(const std::filesystem::path& quiz, QList<int>& exits,
                                         std::ostream* log = nullptr) {
    return openQuiz(locateQuiz(quiz), [&exits, log](const QuizError& error, QWidget* window) {
               if (log)
                   reportFailure(error, *log, window);
               exits << kFailureExitStatus;
           })
        .window;
}

} // namespace kinsight::test
