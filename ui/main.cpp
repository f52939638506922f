// Kinsight: a small desktop personality quiz.
#include "startup.h"

#include <cstdlib>

namespace {

// Only X11 lets the windows ask for their designed places and frames; on a
// Wayland desktop that is Xwayland, with Wayland itself the fallback when
// X11 will not start (and only there: without a Wayland display its library
// writes its own complaints). A platform the user chose wins.
void preferX11() {
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((chosen && *chosen) || !x11 || !*x11)
        return;
    setenv("QT_QPA_PLATFORM", wayland && *wayland ? "xcb;wayland" : "xcb", 1);
}

} // namespace

int main(int argc, char** argv) {
    preferX11();
    return kinsight::runProgram(argc, argv);
}
