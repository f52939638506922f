// Dual: the two-way tie-break window. A needle spins over a disc whose left
// half belongs to the lower-numbered tied character and whose right half to
// the other; Stop slows it down, and the half it stops in is announced.
#pragma once

#include <QWidget>

namespace kinsight {

class QuizWindow;
struct QuizTables;

class Dual : public QWidget {
    Q_OBJECT
public:
    // Creating the window runs its load handler (labels from the tie list,
    // needle reset, needle timer on). It is not shown.
    Dual(const QuizTables& tables, QuizWindow& mainWindow, QWidget* parent = nullptr);
    ~Dual() override;

    // Shows the window modeless and makes it active; activation restarts the
    // needle from straight down at full speed.
    void open();
    // The reset a restart of the quiz asks for: needle timer on at 19 ms,
    // slowing timer off. The window stays as it is, shown or hidden.
    void resetTimers();
};

} // namespace kinsight
