// AnswerButton: an option button that answers a press and release anywhere
// on its rectangle, with or without a caption, not only on its circle and
// caption as Qt's does. Where a later sibling overlaps it (the skip choice
// over the last answer's bottom row), the sibling takes the click. A
// double-click answers once, as the one gesture it is: its first click
// brought the next question, which its second must not answer unseen.
#pragma once

#include <QMouseEvent>
#include <QRadioButton>

namespace kinsight {

class AnswerButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override {
        if (!rect().contains(pos))
            return false;
        const QWidget* parent = parentWidget();
        return !parent || parent->childAt(mapToParent(pos)) == this;
    }
    // Qt would take it for a second press.
    void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
};

} // namespace kinsight
