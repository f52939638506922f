// The main window's question as a screen reader hears it: Orca 43 cannot
// speak Qt 6.4's change of a label's text, so each new question comes to the
// reader's focus as an object of its own.
#pragma once

#include <QLabel>
#include <QObject>
#include <QPointer>

namespace kinsight {

class SpokenQuestion : public QObject {
    Q_OBJECT
public:
    // The question is read from its box, and spoken on the box's window.
    SpokenQuestion(QLabel& question, QObject* parent);

    // The box shows a new question: a reader speaks it, wherever its focus
    // was and whatever chose the answer.
    void questionChanged();

private:
    QLabel& m_question;
    // The question as last spoken; it lives until the next is.
    QPointer<QLabel> m_spoken;
};

} // namespace kinsight
