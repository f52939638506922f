// The program's start: checks for a display, finds the program's own folder,
// checks its quiz before anything is shown, and opens the main window.
#pragma once

#include <functional>
#include <string>

namespace kinsight {

inline constexpr const char* kProgramName = "Kinsight";
inline constexpr const char* kNoDisplayMessage =
    "kinsight: no display found; run it in a desktop session or under xvfb-run";

// Whether a windowing system can be reached, judged from the environment
// (DISPLAY, WAYLAND_DISPLAY or an explicit QT_QPA_PLATFORM).
bool displayAvailable(const std::function<std::string(const char* name)>& environment);

// The whole program; returns its exit status.
int runProgram(int argc, char** argv);

} // namespace kinsight
