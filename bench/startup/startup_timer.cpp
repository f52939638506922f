// Times one start of a windowed program from outside it: from just before the
// process is created to the moment the X server maps its first top-level
// window (a window of the root whose _NET_WM_PID is the new process). The
// program is then ended. Prints the milliseconds on standard output.
//
//   kinsight_startup_timer [--timeout SECONDS] PROGRAM [ARGUMENTS...]
//
// Exit status: 0 measured, 1 the program ended or timed out first, 2 usage
// or no display.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

int ignoreErrors(Display*, XErrorEvent*) {
    // A window can vanish between its map and our look at its properties.
    return 0;
}

bool ownedBy(Display* display, Window window, pid_t pid) {
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) != Success)
        return false;
    bool mine = false;
    if (data && type == XA_CARDINAL && format == 32 && count == 1)
        mine = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid;
    if (data)
        XFree(data);
    return mine;
}

void endChild(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char** argv) {
    int first = 1;
    double timeoutSeconds = 30;
    if (argc > 2 && std::strcmp(argv[1], "--timeout") == 0) {
        timeoutSeconds = std::atof(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr,
                     "usage: kinsight_startup_timer [--timeout SECONDS] PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "kinsight_startup_timer: cannot open the display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    // Listening before the process exists, so no map can be missed.
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point started = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        return 2;
    }
    if (pid == 0) {
        close(ConnectionNumber(display));
        execvp(argv[first], argv + first);
        std::perror(argv[first]);
        _exit(127);
    }

    const Clock::time_point deadline =
        started + std::chrono::microseconds(static_cast<long long>(timeoutSeconds * 1e6));
    const int fd = ConnectionNumber(display);
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect &&
                ownedBy(display, event.xmap.window, pid)) {
                const double ms =
                    std::chrono::duration<double, std::milli>(Clock::now() - started).count();
                std::printf("%.1f\n", ms);
                std::fflush(stdout);
                endChild(pid);
                XCloseDisplay(display);
                return 0;
            }
        }
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "kinsight_startup_timer: %s ended before showing a window\n",
                         argv[first]);
            return 1;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            std::fprintf(stderr, "kinsight_startup_timer: no window from %s in time\n",
                         argv[first]);
            endChild(pid);
            return 1;
        }
        // Short waits, so that a process that ends is noticed soon.
        const long waitUs = std::min<long long>(left.count(), 20000);
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(fd, &readable);
        timeval wait{0, static_cast<suseconds_t>(waitUs)};
        select(fd + 1, &readable, nullptr, nullptr, &wait);
    }
}
