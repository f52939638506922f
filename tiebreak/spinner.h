// Spinner: the two-way window's needle and its two timers as plain
// arithmetic. The window forwards its timers' ticks and its handlers, runs
// its timers as the spinner says, and draws the needle end it reports.
#pragma once

namespace kinsight {

// Which half a stopped needle chose, as a TieList position.
enum class SpinnerChoice { None, Position0, Position1 };

// The outcome of one tick of the slowing timer.
struct SlowerTick {
    // Speed fell below the stop speed: both timers go off.
    bool stopped = false;
    // Set on the stopping tick only.
    SpinnerChoice choice = SpinnerChoice::None;
};

class Spinner {
public:
    // Timer1 turns the needle, Slower slows it down.
    static constexpr int kTimer1Ms = 19;
    static constexpr int kSlowerMs = 30;
    static constexpr double kStartSpeed{0.3};
    static constexpr double kCentre{125.0};
    static constexpr double kLength{120.0};
    // Deliberately not 2 pi: the angle drawn may run a little past a turn.
    static constexpr double kWrapLimit{6.2832};
    static constexpr double kSlowingDivisor{1.1};
    static constexpr double kStopSpeed{0.0005};
    // Formed in double from a pi that is a little short, as the decision
    // has always used it.
    static constexpr double kDegreeFactor{180.0 / 3.1415675};
    static constexpr double kDividingDegrees{180.0};
    // The needle as laid out, before its first tick.
    static constexpr float kRestEndX{125.0f};
    static constexpr float kRestEndY{240.0f};

    // The window's load and activation: full speed, pointing straight down,
    // the needle timer on and the slowing off.
    void reset();
    // Stop: the slowing starts, or goes on if it has.
    void pressStop() { m_slowerOn = true; }
    // The restart's: the needle timer on, the slowing off; the needle stays.
    void resetTimers();
    // The program hid the window: both timers off.
    void halt();
    // One tick of the needle timer: turn, then place the moving end.
    void tickNeedle();
    // One tick of the slowing timer; the stopping tick switches both off.
    SlowerTick tickSlower();

    bool timer1On() const { return m_timer1On; }
    bool slowerOn() const { return m_slowerOn; }

    static double degrees(double angle) { return angle * kDegreeFactor; }
    // The decision for a needle stopped at angle. Exactly 180 degrees points
    // into the right half, so it goes to position 1 like everything below.
    static SpinnerChoice decide(double angle);

    float endX() const { return m_endX; }
    float endY() const { return m_endY; }

    // Radians added to Angle per needle tick.
    double Speed = kStartSpeed;
    // Radians; 0 points straight down, growing anticlockwise on screen.
    double Angle = 0.0;

private:
    float m_endX = kRestEndX;
    float m_endY = kRestEndY;
    bool m_timer1On = false;
    bool m_slowerOn = false;
};

} // namespace kinsight
