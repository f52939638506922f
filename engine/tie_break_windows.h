// What the engine asks of the tie-break windows: their owner implements it,
// beside the main window's QuizWindow; tests implement both with one
// recorder, to see the order of all the operations. A window tells the
// engine the position it chose (Quiz::tieBreakChosen); it knows nothing
// else of the quiz.
#pragma once

#include <string>
#include <vector>

namespace kinsight {

class TieBreakWindows {
public:
    virtual ~TieBreakWindows() = default;

    // Shows the two-way window for two names, the three-way one for three,
    // modeless, with the names from the top of the tie list in order.
    virtual void openTieBreak(const std::vector<std::string>& names) = 0;
    // Hides any tie-break window that is open.
    virtual void hideTieBreaks() = 0;
    // Two-way window: needle timer on at its first interval, slowing timer
    // off; creates the window hidden, with no names, if it does not exist.
    virtual void resetDualTimers() = 0;
};

// No tie-break windows: for reading a quiz with no screen.
class NullTieBreakWindows : public TieBreakWindows {
public:
    void openTieBreak(const std::vector<std::string>&) override {}
    void hideTieBreaks() override {}
    void resetDualTimers() override {}
};

} // namespace kinsight
