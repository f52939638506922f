// The one rule for the program's secondary windows, the about window and the
// tie-break windows: each has one owner, which holds it here. It is made on
// first use, deleted when the user closes it (so it opens afresh), and ends
// with its owner at the latest.
//
// None has a parent: a child window is its parent's transient, which window
// managers (openbox, metacity, xfwm4) hide, minimise and raise with the main
// window, and a restart hides the main window while these stay as they are.
#pragma once

#include <QPointer>
#include <QWidget>

namespace kinsight {

template <typename Window> class SecondaryWindow {
public:
    SecondaryWindow() = default;
    ~SecondaryWindow() { delete m_window.data(); }
    SecondaryWindow(const SecondaryWindow&) = delete;
    SecondaryWindow& operator=(const SecondaryWindow&) = delete;

    // The window, or null while there is none.
    Window* get() const { return m_window.data(); }

    // The window, made by make() when there is none.
    template <typename Make> Window& getOrMake(Make&& make) {
        if (!m_window) {
            m_window = make();
            m_window->setAttribute(Qt::WA_DeleteOnClose);
        }
        return *m_window;
    }

    void close() {
        if (m_window)
            m_window->close();
    }
    void hide() {
        if (m_window)
            m_window->hide();
    }

private:
    QPointer<Window> m_window;
};

} // namespace kinsight
