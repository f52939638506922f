// Tri: the three-way tie-break window. A pointer swings over three bands, one
// per tied character; Stop freezes it and the band it points at is announced.
#pragma once

#include "pendulum.h"
#include "tiebreak_window.h"

#include <QPixmap>

class QLabel;
class QPushButton;
class QTimer;

namespace kinsight {

class LineShape;

class Tri : public TieBreakWindow {
    Q_OBJECT
public:
    // Creating the window runs its load handler (labels from the tie list);
    // the pointer timer is on from creation. It is not shown. The pendulum
    // outlives the window: a window made anew swings on from its phase.
    Tri(const QuizTables& tables, QuizWindow& mainWindow, Pendulum& pendulum,
        QWidget* parent = nullptr);
    ~Tri() override;

    // open() shows the window; activation rewrites the labels and switches
    // the pointer timer on.

protected:
    void activated() override;
    void stopTimers() override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void writeLabels();
    void stopClicked();
    void pointerTick();
    void paintBackground();

    Pendulum& m_pendulum;
    QPixmap m_background;
    // In window units, as the pendulum computes it.
    LineShape* m_line = nullptr;
    QLabel* m_char1 = nullptr;
    QLabel* m_char2 = nullptr;
    QLabel* m_char3 = nullptr;
    QPushButton* m_stop = nullptr;
    QTimer* m_timer1 = nullptr;
};

} // namespace kinsight
