#include "spoken_question.h"

#include <QAccessible>

namespace kinsight {

SpokenQuestion::SpokenQuestion(QLabel& question, QObject* parent)
    : QObject(parent), m_question(question) {}

void SpokenQuestion::questionChanged() {
    if (!QAccessible::isActive())
        return;
    // Orca 43 speaks a control when its focus comes to it, never again while
    // it stays, and of several focus changes waiting it handles the last
    // only; its mouse handling moves its focus, silently, to a focused
    // control that is clicked. With Qt 6.4 it cannot speak a changed name or
    // description either (Qt sends the object in place of the text). So the
    // new question comes to the reader's focus as an object of its own, new
    // each time, hidden under the question's box; the keyboard stays where
    // the window put it, and the reader follows it again at the next key.
    auto* spoken = new QLabel(m_question.text(), m_question.parentWidget());
    spoken->setObjectName(QStringLiteral("spokenQuestion"));
    spoken->setGeometry(m_question.geometry());
    spoken->hide();
    // Its focus alone: Orca 43 reads the object the event names, and an
    // event of its creation would only be one more to handle first.
    QAccessibleEvent focus(spoken, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
    // The last one goes only now, for the reader may still be reading it.
    delete m_spoken.data();
    m_spoken = spoken;
}

} // namespace kinsight
