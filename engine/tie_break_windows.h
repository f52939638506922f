// What the engine asks of the tie-break windows: their owner implements it,
// beside the main window's QuizWindow; tests implement both with one
// recorder, to see the order of all the operations.
#pragma once

namespace kinsight {

class TieBreakWindows {
public:
    virtual ~TieBreakWindows() = default;

    // Shows the two-way (ways == 2) or three-way (ways == 3) window, modeless.
    virtual void openTieBreak(int ways) = 0;
    // Hides any tie-break window that is open.
    virtual void closeTieBreaks() = 0;
    // Two-way window: needle timer on at 19 ms, slowing timer off; creates
    // the window hidden if it does not exist yet.
    virtual void resetDualTimers() = 0;
};

// No tie-break windows: for reading a quiz with no screen.
class NullTieBreakWindows : public TieBreakWindows {
public:
    void openTieBreak(int) override {}
    void closeTieBreaks() override {}
    void resetDualTimers() override {}
};

} // namespace kinsight
