// TieBreaks: the owner of the two tie-break windows. It makes each window on
// first use, and anew after the user closed one, and keeps the pendulum,
// whose phase outlives the three-way window.
#pragma once

#include "tie_break_windows.h"

#include <QPointer>

#include <memory>

namespace kinsight {

class Dual;
class Pendulum;
class QuizWindow;
class Tri;
struct QuizTables;

class TieBreaks : public TieBreakWindows {
public:
    TieBreaks(const QuizTables& tables, QuizWindow& mainWindow);
    ~TieBreaks() override;
    TieBreaks(const TieBreaks&) = delete;
    TieBreaks& operator=(const TieBreaks&) = delete;

    // Shows Dual (ways == 2) or Tri (ways == 3) modeless and active.
    void openTieBreak(int ways) override;
    // The program's own hide of whichever window is up.
    void closeTieBreaks() override;
    // The restart's reset of the two-way window's timers; makes the window
    // hidden if there is none yet.
    void resetDualTimers() override;
    // Closes both windows, as when the program ends.
    void closeAll();

    Dual* dual() const;
    Tri* tri() const;

private:
    Dual& dualWindow();

    const QuizTables& m_tables;
    QuizWindow& m_mainWindow;
    std::unique_ptr<Pendulum> m_pendulum;
    QPointer<Dual> m_dual;
    QPointer<Tri> m_tri;
};

} // namespace kinsight
