// Kinsight: a small desktop personality quiz.
#include "startup.h"

#include <cstdlib>

namespace {

// Only X11 lets the windows ask for their designed places and frames; on a
// Wayland desktop that is Xwayland, with Wayland itself the fallback when
// X11 will not start. A platform the user chose wins.
void preferX11() {
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    const char* x11 = std::getenv("DISPLAY");
    if ((chosen && *chosen) || !x11 || !*x11)
        return;
    setenv("QT_QPA_PLATFORM", "xcb;wayland", 1);
}

} // namespace

int main(int argc, char** argv) {
    preferX11();
    return kinsight::runProgram(argc, argv);
}
