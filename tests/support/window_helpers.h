// Helpers for driving windows offscreen: deterministic timer ticks,
// activation, labels by name, and the check that no window is left over.
#pragma once

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <ostream>

// GoogleTest shows a QString that differs as its text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace kinsight::test {

// One tick of the timer, as its interval running out would give it, but only
// while it is enabled. Returns whether it ticked.
inline bool tick(QTimer* timer, int times = 1) {
    for (int n = 0; n < times; ++n) {
        if (!timer->isActive())
            return false;
        QTimerEvent event(timer->timerId());
        QCoreApplication::sendEvent(timer, &event);
    }
    return true;
}

// Keeps the timer from ticking on its own while the test spins the event
// loop, now or once it is enabled; only tick() moves things on.
inline void holdOff(QTimer* timer) {
    timer->setInterval(24 * 60 * 60 * 1000);
}

inline QString labelText(QWidget* window, const char* name) {
    auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no label %1>").arg(QLatin1String(name));
}

// Presses the button as a screen reader does, also past a modal box; Qt
// animates the press, so the click lands a moment later.
inline void pressAsScreenReader(QWidget* button) {
    QAccessibleInterface* control = QAccessible::queryAccessibleInterface(button);
    if (control && control->actionInterface())
        control->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// Makes the window the active one, as the user coming back to it would.
inline bool activate(QWidget* window) {
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Test windows delete themselves on close; whatever is left is deleted, and
// no top-level widget may outlive a test.
inline void expectNoWindowsLeft() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* widget : QApplication::topLevelWidgets())
        ADD_FAILURE() << "left over: " << widget->objectName().toStdString();
}

} // namespace kinsight::test
