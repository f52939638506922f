#include "accessibility_workarounds.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLineEdit>
#include <QList>
#include <QTextBoundaryFinder>

#include <utility>

namespace kinsight {

namespace {

const char* const kWholeLine = "kinsightWholeLine";

// Qt 6.4 gives a line edit's text attributes as empty runs at each offset,
// from which Orca 43 joins the line up to the last character but not that
// character ("Ann Le" of "Ann Lee"); and it spins for ever when asked for
// the word at the end of the text. This one is Qt's line edit with one run
// of attributes over the whole text and nothing past its end.
class WholeLineAccessible : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface {
public:
    explicit WholeLineAccessible(QLineEdit* field)
        : QAccessibleWidget(field, QAccessible::EditableText) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? field()->text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !field()->isReadOnly();
        state.readOnly = field()->isReadOnly();
        state.selectableText = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
    // Qt 6.4's own versions loop for ever where no boundary follows: at the
    // end of the text (offset -1 reads as the end) or from a blank that
    // starts it. These take the pieces between the boundaries once.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override {
        return piece(offset, boundaryType, 0, startOffset, endOffset);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                             int* startOffset, int* endOffset) const override {
        return piece(offset, boundaryType, -1, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                            int* startOffset, int* endOffset) const override {
        return piece(offset, boundaryType, 1, startOffset, endOffset);
    }

    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = field()->selectionStart();
        *endOffset = field()->selectionEnd();
        if (*startOffset < 0)
            *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int) override { field()->deselect(); }
    void setSelection(int, int startOffset, int endOffset) override {
        field()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }
    QString text(int startOffset, int endOffset) const override {
        return field()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(field()->text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint& point) const override {
        return field()->cursorPositionAt(field()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int) override { setCursorPosition(startIndex); }

    void deleteText(int startOffset, int endOffset) override {
        replaceText(startOffset, endOffset, {});
    }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        field()->setText(field()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    QLineEdit* field() const { return static_cast<QLineEdit*>(widget()); }

    // The piece of the text at offset (its neighbour before or after, for
    // step -1 or 1) between two boundaries of the kind asked for; a line edit
    // holds one line, so lines and paragraphs are the whole text. Empty past
    // either end.
    QString piece(int offset, QAccessible::TextBoundaryType type, int step, int* startOffset,
                  int* endOffset) const {
        const QString text = field()->text();
        const int count = static_cast<int>(text.size());
        if (offset < 0 || offset > count)
            offset = count;
        QList<int> bounds{0};
        if (type == QAccessible::CharBoundary || type == QAccessible::WordBoundary ||
            type == QAccessible::SentenceBoundary) {
            QTextBoundaryFinder finder(
                type == QAccessible::CharBoundary   ? QTextBoundaryFinder::Grapheme
                : type == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                    : QTextBoundaryFinder::Sentence,
                text);
            for (qsizetype at = finder.toNextBoundary(); at > 0 && at < count;
                 at = finder.toNextBoundary())
                bounds << static_cast<int>(at);
        }
        if (count > 0)
            bounds << count;
        // The piece that holds offset; at the end, none.
        qsizetype holder = bounds.size() - 1;
        for (qsizetype i = 0; i + 1 < bounds.size(); ++i)
            if (offset < bounds[i + 1]) {
                holder = i;
                break;
            }
        const qsizetype wanted = holder + step;
        if (wanted < 0 || wanted + 1 >= bounds.size()) {
            *startOffset = *endOffset = wanted < 0 ? 0 : count;
            return {};
        }
        *startOffset = bounds[wanted];
        *endOffset = bounds[wanted + 1];
        return text.mid(*startOffset, *endOffset - *startOffset);
    }
};

QAccessibleInterface* wholeLineFactory(const QString&, QObject* object) {
    auto* field = qobject_cast<QLineEdit*>(object);
    return field && field->property(kWholeLine).toBool() ? new WholeLineAccessible(field) : nullptr;
}

// Set on a widget only while the program changes it unannounced.
const char* const kUnannounced = "kinsightUnannounced";
// Set on a field whose changes are told only while it has the focus.
const char* const kFocusedOnly = "kinsightFocusedOnly";

// Set on a control whose name and description changes wait for its focus,
// and on it, which of them wait.
const char* const kToldWhenFocused = "kinsightToldWhenFocused";
const char* const kNameWaits = "kinsightNameWaits";
const char* const kDescriptionWaits = "kinsightDescriptionWaits";

bool isTextChange(QAccessible::Event type) {
    return type == QAccessible::TextInserted || type == QAccessible::TextRemoved ||
           type == QAccessible::TextUpdated;
}

bool dropped(const QAccessibleEvent& event) {
    QObject* object = event.object();
    if (!object)
        return false;
    const QAccessible::Event type = event.type();
    if (object->property(kUnannounced).toBool())
        return isTextChange(type) || type == QAccessible::NameChanged;
    // Orca 43 handles every event in turn, with a dozen calls back for each,
    // before it speaks the next question; a score box's are of no use to it
    // until the box has the focus.
    if (object->property(kFocusedOnly).toBool() && !static_cast<const QWidget*>(object)->hasFocus())
        return isTextChange(type) || type == QAccessible::TextCaretMoved;
    // The same for the answers' new names and descriptions: thirteen more
    // events a question. A reader that keeps what it was told of a control
    // hears them as the control gets the focus, before the focus itself.
    if (object->property(kToldWhenFocused).toBool() &&
        !static_cast<const QWidget*>(object)->hasFocus() &&
        (type == QAccessible::NameChanged || type == QAccessible::DescriptionChanged)) {
        object->setProperty(type == QAccessible::NameChanged ? kNameWaits : kDescriptionWaits,
                            true);
        return true;
    }
    return false;
}

// Hands an event on to the platform.
void send(QAccessibleEvent* event);

// What waited for the control's focus goes before the focus.
void sendWaiting(QObject* object) {
    for (const auto& [waits, type] :
         {std::pair{kNameWaits, QAccessible::NameChanged},
          std::pair{kDescriptionWaits, QAccessible::DescriptionChanged}})
        if (object->property(waits).toBool()) {
            object->setProperty(waits, false);
            QAccessibleEvent told(object, type);
            send(&told);
        }
}

// Every accessibility event of the program passes here on its way to the
// platform. Qt 6.4 has no public way to hand one on but its own path, which
// it takes only with no filter installed.
void filterUpdate(QAccessibleEvent* event) {
    if (dropped(*event))
        return;
    if (event->type() == QAccessible::Focus && event->object())
        sendWaiting(event->object());
    send(event);
}

void send(QAccessibleEvent* event) {
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(filterUpdate);
}

} // namespace

void installAccessibilityWorkarounds() {
    static const bool installed = [] {
        QAccessible::installFactory(wholeLineFactory);
        QAccessible::installUpdateHandler(filterUpdate);
        return true;
    }();
    Q_UNUSED(installed);
}

void readAsWholeLine(QLineEdit& field) {
    field.setProperty(kWholeLine, true);
}

void announceOnlyWithFocus(QWidget& widget) {
    widget.setProperty(kFocusedOnly, true);
}

void toldWhenFocused(QWidget& widget) {
    widget.setProperty(kToldWhenFocused, true);
}

void setCaptionUnannounced(QAbstractButton& button, const QString& text) {
    button.setProperty(kUnannounced, true);
    button.setText(text);
    button.setProperty(kUnannounced, false);
}

void setTextUnannounced(QLineEdit& field, const QString& text) {
    // Orca 43 takes a text inserted into the focused field after Return or
    // Tab for the user's own and speaks it again after the focus has read
    // the field: the name was heard twice once a tie-break's greeting was
    // closed with Return. Only the change's event is left out; the caret's
    // goes, and readers read the text itself.
    field.setProperty(kUnannounced, true);
    field.setText(text);
    field.setProperty(kUnannounced, false);
}

} // namespace kinsight
