// Tri: the three-way tie-break window. A pointer swings over three bands, one
// per tied character; Stop freezes it and the band it points at is announced.
#pragma once

#include "tiebreak_window.h"

class QLabel;
class QTimer;

namespace kinsight {

class Pendulum;

class Tri : public TieBreakWindow {
    Q_OBJECT
public:
    // Creating the window runs its load handler (no names yet); the pointer
    // timer is on from creation. It is not shown. The pendulum outlives the
    // window: a window made anew swings on from its phase.
    explicit Tri(Pendulum& pendulum);
    ~Tri() override;

protected:
    // Rewrites the labels and switches the pointer timer on.
    void activated() override;
    void stopTimers() override;
    void stopClicked() override;
    void drawBackground(QPainter& painter) const override;
    QLineF toPixels(const QLineF& units) const override;

private:
    void pointerTick();

    Pendulum& m_pendulum;
    QLabel* m_char1 = nullptr;
    QLabel* m_char2 = nullptr;
    QLabel* m_char3 = nullptr;
    QTimer* m_timer1 = nullptr;
};

} // namespace kinsight
