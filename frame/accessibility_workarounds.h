// What makes a screen reader speak what the window shows, where the window's
// plain changes are not enough. Each workaround names the versions that need
// it: Qt 6.4 (Debian 12) and Orca 43; a later pair may make it unnecessary.
#pragma once

#include <QLabel>
#include <QObject>
#include <QPointer>

class QLineEdit;

namespace kinsight {

// The window's question as a screen reader hears it, and its text fields.
class ScreenReader : public QObject {
    Q_OBJECT
public:
    // The question is read from its box, and spoken on the box's window.
    ScreenReader(QLabel& question, QObject* parent);

    // The box shows a new question: a reader speaks it, wherever its focus
    // was and whatever chose the answer.
    void questionChanged();

    // The field offers its text to screen readers as one whole line.
    static void readWholeLine(QLineEdit& field);
    // Writes a field made by readWholeLine, which has or is about to have
    // the focus, so that a reader speaks it once, as the focus reads it.
    static void setTextQuietly(QLineEdit& field, const QString& text);

private:
    QLabel& m_question;
    // The question as last spoken; it lives until the next is.
    QPointer<QLabel> m_spoken;
};

} // namespace kinsight
