// What X window managers do to the main window that the program hides and
// shows again on a restart, undone here:
// - metacity places a window shown again where its frame had been, so each
//   restart would move the client area down and right by the frame;
// - under openbox, metacity and xfwm4 the window system focuses the window
//   shown again but Qt never sees the focus come back, so no widget window is
//   active and the keyboard is dead until the user switches away and back.
#pragma once

#include <QObject>
#include <QRect>

class QWidget;

namespace kinsight {

class WindowManagerWorkarounds : public QObject {
public:
    // Watches window, which owns this.
    explicit WindowManagerWorkarounds(QWidget& window);

    // Hides the window, remembering where its client area was.
    void hide();
    // Shows it again, active and back at that place.
    void show();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    QRect m_shownGeometry;
    // Whether the window is on its way back to m_shownGeometry.
    bool m_returning = false;
};

} // namespace kinsight
