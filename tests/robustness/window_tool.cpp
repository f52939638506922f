// Two things xdotool cannot do for the random-click run: ask a window to
// close the way its close box would (WM_DELETE_WINDOW, so the program runs
// its own close handling rather than losing the window under it), and check
// that the program owning a window still handles events (_NET_WM_PING, which
// the toolkit answers from its event loop, modal loops included).
//
//   kinsight_window_tool close WINDOW
//   kinsight_window_tool ping WINDOW [TIMEOUT_MS]
//
// Exit status: 0 done or answered, 1 no answer in time, 2 usage, no display
// or no such window.
#include <X11/Xlib.h>

#include <sys/select.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool g_badWindow = false;

int recordError(Display*, XErrorEvent* error) {
    if (error->error_code == BadWindow)
        g_badWindow = true;
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: kinsight_window_tool close WINDOW\n"
                         "       kinsight_window_tool ping WINDOW [TIMEOUT_MS]\n");
    return 2;
}

XEvent protocolMessage(Display* display, Window window, const char* protocol, long stamp) {
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, protocol, False));
    event.xclient.data.l[1] = stamp;
    event.xclient.data.l[2] = static_cast<long>(window);
    return event;
}

int closeWindow(Display* display, Window window) {
    XEvent event = protocolMessage(display, window, "WM_DELETE_WINDOW", CurrentTime);
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    return g_badWindow ? 2 : 0;
}

int ping(Display* display, Window window, int timeoutMs) {
    const Window root = DefaultRootWindow(display);
    // The toolkit sends its answer to the root window with the structure-
    // notify mask (and the redirect mask a window manager would hold).
    XSelectInput(display, root, StructureNotifyMask);
    // The stamp tells this ping's answer from any other.
    const long stamp =
        static_cast<long>(std::chrono::steady_clock::now().time_since_epoch().count() & 0x7fffffff);
    XEvent request = protocolMessage(display, window, "_NET_WM_PING", stamp);
    const long pingAtom = request.xclient.data.l[0];
    XSendEvent(display, window, False, NoEventMask, &request);
    XSync(display, False);
    if (g_badWindow)
        return 2;

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == ClientMessage && event.xclient.window == root &&
                event.xclient.data.l[0] == pingAtom && event.xclient.data.l[1] == stamp &&
                static_cast<Window>(event.xclient.data.l[2]) == window)
                return 0;
        }
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return 1;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval wait{static_cast<time_t>(left.count() / 1000000),
                     static_cast<suseconds_t>(left.count() % 1000000)};
        select(fd + 1, &readable, nullptr, nullptr, &wait);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return usage();
    const std::string command = argv[1];
    char* end = nullptr;
    const Window window = std::strtoul(argv[2], &end, 0);
    if (*end != '\0' || window == 0)
        return usage();
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "kinsight_window_tool: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(recordError);
    int status = 2;
    if (command == "close")
        status = closeWindow(display, window);
    else if (command == "ping")
        status = ping(display, window, argc > 3 ? std::atoi(argv[3]) : 5000);
    else
        status = usage();
    XCloseDisplay(display);
    return status;
}
