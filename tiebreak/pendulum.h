// Pendulum: the three-way window's pointer and its timer as plain
// arithmetic, in the window's own units (1.008 px across, 0.844 px down). The
// window forwards its timer's ticks and its handlers, runs its timer as the
// pendulum says, and draws the free end it reports.
#pragma once

namespace kinsight {

class Pendulum {
public:
    static constexpr int kTimer1Ms = 20;
    static constexpr double kCentreY = 150.0;
    static constexpr double kAmplitude = 100.0;
    static constexpr double kPhaseStep = 0.3;
    static constexpr float kUpperBorder = 105.0f;
    static constexpr float kLowerBorder = 188.0f;
    static constexpr double kFreeEndX = 87.3;
    static constexpr double kPivotX = 222.2;
    static constexpr double kPivotY = 151.7;
    // The pointer as laid out, before its first tick.
    static constexpr float kRestY = 151.7f;

    // Places the free end for the current phase, then advances the phase.
    void tick();
    // The window's creation and activation: the timer on.
    void start() { m_timerOn = true; }
    // The program hid the window: the timer off, the pointer rests.
    void halt() { m_timerOn = false; }
    // Stop: the pointer freezes at once; returns the band it points at.
    int stop() {
        halt();
        return choose();
    }
    bool timerOn() const { return m_timerOn; }
    // The band the free end points at: 0 top, 1 middle, 2 bottom.
    int choose() const { return region(m_y); }
    // Compared on the stored float so every y falls in exactly one band.
    static int region(float y);

    float y() const { return m_y; }
    // Back to the pointer as laid out, for a window made anew; the phase
    // stays.
    void resetPointer() { m_y = kRestY; }

    // Radians; never reset while the program runs, so a window hidden or
    // made anew swings on from where the last one stopped.
    double Phase = 0.0;

private:
    float m_y = kRestY;
    bool m_timerOn = false;
};

} // namespace kinsight
