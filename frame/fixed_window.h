// How every window of the program is framed and brought to the user: a fixed
// size with a close box only, and shown on top and active, a minimised one
// restored. The main, about and tie-break windows all use it.
#pragma once

#include <QWidget>

namespace kinsight {

inline constexpr Qt::WindowFlags kFixedWindowFlags =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
    Qt::MSWindowsFixedSizeDialogHint;

// Asked for again, a window the window system had minimised comes back too.
inline void showActive(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace kinsight
