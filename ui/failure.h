// The one report of the engine's failures: a modal critical box naming the
// failure, the file and the line, and the same line on the error stream.
// The exit status then goes to the exit handler; the program's start
// installs one that leaves the event loop and hands the status to main().
#pragma once

#include <functional>
#include <iosfwd>

class QWidget;

namespace kinsight {

class QuizError;

inline constexpr int kFailureExitStatus = 1;

// Receives the exit status after a report; the program's start and the
// tests install their own. Without one the report is all that happens.
using ExitHandler = std::function<void(int status)>;
void setExitHandler(ExitHandler handler);
// Where the failure line is written; nullptr restores the error stream.
void setFailureLog(std::ostream* log);

// Shows the report, waits until it is closed, then calls the exit handler.
// It returns, so callers must stop what they were doing.
void reportFailureAndExit(const QuizError& error, QWidget* parent = nullptr);

} // namespace kinsight
