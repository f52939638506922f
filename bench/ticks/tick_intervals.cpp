// Measures the tick intervals a tie-break window's Timer1 really gets, and
// the CPU the running window costs. Not a test: the figures depend on the
// machine and its load.
//
//   kinsight_ticks [dual|tri] [seconds]
//
// Runs offscreen unless QT_QPA_PLATFORM or a display says otherwise.
#include "dual.h"
#include "pendulum.h"
#include "tri.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double percentile(const std::vector<double>& sorted, double p) {
    const auto index = static_cast<std::size_t>(p * double(sorted.size() - 1) + 0.5);
    return sorted[std::min(index, sorted.size() - 1)];
}

} // namespace

int main(int argc, char** argv) {
    const bool tri = argc > 1 && std::strcmp(argv[1], "tri") == 0;
    const double seconds = argc > 2 ? std::max(1.0, std::atof(argv[2])) : 5.0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    kinsight::Pendulum pendulum;
    std::unique_ptr<kinsight::TieBreakWindow> window;
    if (tri)
        window = std::make_unique<kinsight::Tri>(pendulum);
    else
        window = std::make_unique<kinsight::Dual>();
    window->open(tri ? std::vector<std::string>{"Ann Lee", "Bo", "Cy"}
                     : std::vector<std::string>{"Ann Lee", "Bo"});
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* timer = window->findChild<QTimer*>(QStringLiteral("Timer1"));

    std::vector<double> intervals;
    intervals.reserve(std::size_t(seconds * 1000));
    QElapsedTimer clock;
    qint64 last = -1;
    // Connected after the window's own handler, so each stamp follows a tick's work.
    QObject::connect(timer, &QTimer::timeout, &app, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last >= 0)
            intervals.push_back(double(now - last) / 1e6);
        last = now;
    });

    // Settle for half a second: the first show paints everything once.
    double cpuStart = 0;
    QTimer::singleShot(500, &app, [&] {
        intervals.clear();
        last = -1;
        clock.start();
        cpuStart = cpuSeconds();
    });
    QTimer::singleShot(int(500 + seconds * 1000), &app, &QApplication::quit);
    app.exec();
    const double cpu = cpuSeconds() - cpuStart;
    const double wall = double(clock.nsecsElapsed()) / 1e9;

    if (intervals.empty()) {
        std::fprintf(stderr, "no ticks recorded\n");
        return 1;
    }
    std::sort(intervals.begin(), intervals.end());
    std::printf("window %s, Timer1 nominal %d ms, platform %s\n", tri ? "Tri" : "Dual",
                timer->interval(), qPrintable(QApplication::platformName()));
    std::printf("ticks %zu in %.2f s (%.1f per s)\n", intervals.size() + 1, wall,
                double(intervals.size() + 1) / wall);
    std::printf("interval ms: median %.3f  p95 %.3f  min %.3f  max %.3f\n",
                percentile(intervals, 0.5), percentile(intervals, 0.95), intervals.front(),
                intervals.back());
    std::printf("cpu: %.1f ms per s (%.2f %% of one core)\n", 1000 * cpu / wall, 100 * cpu / wall);
    return 0;
}
