// The one place where the engine's failures end the program: a modal
// critical box naming the failure, the file and the line, the same line on
// the error stream, then exit status 1.
#pragma once

#include <functional>
#include <iosfwd>

class QWidget;

namespace kinsight {

class QuizError;

inline constexpr int kFailureExitStatus = 1;

// Ends the program with the given status. The default leaves the event loop
// (if one runs) with that status; main() and the tests install their own.
using ExitHandler = std::function<void(int status)>;
void setExitHandler(ExitHandler handler);
// Where the failure line is written; nullptr restores the error stream.
void setFailureLog(std::ostream* log);

// Shows the report, waits until it is closed, then calls the exit handler.
// It returns, so callers must stop what they were doing.
void reportFailureAndExit(const QuizError& error, QWidget* parent = nullptr);

} // namespace kinsight
