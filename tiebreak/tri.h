// Tri: the three-way tie-break window. A pointer swings over three bands, one
// per tied character; Stop freezes it and the band it points at is announced.
#pragma once

#include <QWidget>

namespace kinsight {

class QuizWindow;
struct QuizTables;

class Tri : public QWidget {
    Q_OBJECT
public:
    // Creating the window runs its load handler (labels from the tie list);
    // the pointer timer is on from creation. It is not shown.
    Tri(const QuizTables& tables, QuizWindow& mainWindow, QWidget* parent = nullptr);
    ~Tri() override;

    // Shows the window modeless and makes it active; activation rewrites the
    // labels and switches the pointer timer on.
    void open();
};

} // namespace kinsight
