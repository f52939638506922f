// Pendulum: the three-way window's pointer.
#include "pendulum.h"

#include <cmath>

namespace kinsight {

void Pendulum::tick() {
    m_y = static_cast<float>(kCentreY + kAmplitude * std::sin(Phase));
    Phase += kPhaseStep;
}

int Pendulum::region(float y) {
    if (y <= kUpperBorder)
        return 0;
    if (y < kLowerBorder)
        return 1;
    return 2;
}

} // namespace kinsight
