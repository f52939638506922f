// Credits: the about window, opened by clicking the main window's picture.
// It knows nothing of the quiz.
#pragma once

#include <QWidget>

namespace kinsight {

class Credits : public QWidget {
    Q_OBJECT
public:
    // Deletes itself when closed.
    explicit Credits(QWidget* parent = nullptr);

    static QString creditsText();
};

} // namespace kinsight
