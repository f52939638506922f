#include "window_manager_workarounds.h"

#include "fixed_window.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace kinsight {

WindowManagerWorkarounds::WindowManagerWorkarounds(QWidget& window)
    : QObject(&window), m_window(window) {
    window.installEventFilter(this);
}

void WindowManagerWorkarounds::hide() {
    m_shownGeometry = m_window.geometry();
    m_window.hide();
}

void WindowManagerWorkarounds::show() {
    m_returning = m_shownGeometry.isValid();
    showActive(m_window);
    // Hiding ended the window's activation for the widgets, but the window
    // system never saw the focus leave: the focus it hands back is no change
    // to Qt (openbox, metacity, xfwm4).
    if (QGuiApplication::focusWindow() == m_window.windowHandle() &&
        QApplication::activeWindow() != &m_window)
        QApplication::setActiveWindow(&m_window);
}

bool WindowManagerWorkarounds::eventFilter(QObject* watched, QEvent* event) {
    // metacity places the window where its frame was once it is active: it
    // goes back.
    if (watched == &m_window && event->type() == QEvent::Move && m_returning &&
        m_window.isActiveWindow()) {
        m_returning = false;
        if (m_window.geometry() != m_shownGeometry)
            m_window.setGeometry(m_shownGeometry);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kinsight
