// What the two tie-break windows share: a fixed window that counts every show
// and every return of the user as an activation, and announces the character
// at a tie-list position through the main window.
#pragma once

#include "result.h"

#include <QWidget>

class QWindow;

namespace kinsight {

class QuizWindow;
struct QuizTables;

class TieBreakWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the window modeless and makes it active, also when the window
    // system had minimised it before the program hid it.
    void open();

protected:
    TieBreakWindow(const QuizTables& tables, QuizWindow& mainWindow, QWidget* parent,
                   const char* objectName, const char* caption, QSize size);

    // Runs on every show and whenever the user comes back to the window from
    // another window of the program.
    virtual void activated() = 0;
    // Switches the window's timers off; runs on the program's own hides only.
    virtual void stopTimers() = 0;
    // Greets while this window is still up, hides it, then shows the name and
    // the picture in the given order.
    void announce(int position, ResultOrder order);

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    const QuizTables& m_tables;

private:
    void focusWindowChanged(QWindow* now);

    QuizWindow& m_mainWindow;
    // Whether a window of the program had the focus, as last reported. A
    // window closed while focused leaves it set: the user is still here.
    bool m_programFocused = false;
    // Set from a show until the next focus change, which belongs to the show.
    bool m_showPending = false;
    // Set while the greeting is up: the focus coming back from it is no
    // return of the user.
    bool m_announcing = false;
};

} // namespace kinsight
