// Spinner: the two-way window's needle.
#include "spinner.h"

#include <cmath>

namespace kinsight {

void Spinner::reset() {
    Speed = kStartSpeed;
    Angle = 0.0;
    resetTimers();
}

void Spinner::resetTimers() {
    m_timer1On = true;
    m_slowerOn = false;
}

void Spinner::halt() {
    m_timer1On = m_slowerOn = false;
}

void Spinner::tickNeedle() {
    Angle += Speed;
    m_endX = static_cast<float>(kCentre + kLength * std::sin(Angle));
    m_endY = static_cast<float>(kCentre + kLength * std::cos(Angle));
    // Wrapping only after drawing keeps the decision of an angle just past a
    // full turn on the left half.
    if (Angle > kWrapLimit)
        Angle = 0.0;
}

SlowerTick Spinner::tickSlower() {
    Speed /= kSlowingDivisor;
    SlowerTick tick;
    tick.stopped = Speed < kStopSpeed;
    if (tick.stopped) {
        halt();
        tick.choice = decide(Angle);
    }
    return tick;
}

SpinnerChoice Spinner::decide(double angle) {
    return degrees(angle) > kDividingDegrees ? SpinnerChoice::Position0 : SpinnerChoice::Position1;
}

} // namespace kinsight
