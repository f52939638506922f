// TieBreaks: the owner of the two tie-break windows, held as every secondary
// window is (made on first use, anew after the user closed one). It keeps
// the pendulum, whose phase outlives the three-way window, and passes on the
// position a window chose.
#pragma once

#include "dual.h"
#include "secondary_window.h"
#include "tie_break_windows.h"
#include "tri.h"

#include <functional>
#include <memory>

namespace kinsight {

class Pendulum;
class TieBreakWindow;

class TieBreaks : public TieBreakWindows {
public:
    // chosen receives the tie-list position a window chose, with the window
    // still up; the quiz engine announces it.
    explicit TieBreaks(std::function<void(int position)> chosen);
    ~TieBreaks() override;
    TieBreaks(const TieBreaks&) = delete;
    TieBreaks& operator=(const TieBreaks&) = delete;

    // Shows Dual (two names) or Tri (three) modeless and active.
    void openTieBreak(const std::vector<std::string>& names) override;
    // The program's own hide of whichever window is up.
    void hideTieBreaks() override;
    // The restart's reset of the two-way window's timers; makes the window
    // hidden if there is none yet.
    void resetDualTimers() override;
    // Closes both windows, as when the program ends.
    void closeAll();

    Dual* dual() const;
    Tri* tri() const;

private:
    Dual& dualWindow();
    void report(TieBreakWindow* window);

    std::function<void(int)> m_chosen;
    std::unique_ptr<Pendulum> m_pendulum;
    SecondaryWindow<Dual> m_dual;
    SecondaryWindow<Tri> m_tri;
};

} // namespace kinsight
