// Dual: the two-way tie-break window. A needle spins over a disc whose left
// half belongs to the lower-numbered tied character and whose right half to
// the other; Stop slows it down, and the half it stops in is announced.
#pragma once

#include "spinner.h"
#include "tiebreak_window.h"

class QLabel;
class QTimer;

namespace kinsight {

class Dual : public TieBreakWindow {
    Q_OBJECT
public:
    // Creating the window runs its load handler (no names yet, needle reset,
    // needle timer on). It is not shown.
    Dual();
    ~Dual() override;

    // The reset a restart of the quiz asks for: needle timer on at its
    // first interval, slowing timer off. The window stays as it is, shown or
    // hidden.
    void resetTimers();

protected:
    // Restarts the needle from straight down at full speed.
    void activated() override;
    void stopTimers() override;
    void stopClicked() override;
    void drawBackground(QPainter& painter) const override;

private:
    void needleTick();
    void slowerTick();
    // Runs the two timers as the spinner says.
    void syncTimers();

    Spinner m_spinner;
    QLabel* m_char1 = nullptr;
    QLabel* m_char2 = nullptr;
    QTimer* m_timer1 = nullptr;
    QTimer* m_slower = nullptr;
};

} // namespace kinsight
