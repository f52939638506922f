#include "platform_start.h"

#include "failure.h"
#include "text.h"
#include "translation.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace kinsight {

bool displayAvailable(const std::function<std::string(const char* name)>& environment) {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        if (!environment(name).empty())
            return true;
    return false;
}

std::string displayFailure(const std::function<std::string(const char* name)>& environment) {
    const std::string platforms = environment("QT_QPA_PLATFORM");
    const std::string x11 = environment("DISPLAY");
    const std::string wayland = environment("WAYLAND_DISPLAY");
    // Without a list Qt picks the platform of the session.
    const auto tried = [&platforms](const char* name) {
        return platforms.empty() || platforms.find(name) != std::string::npos;
    };
    const bool onX11 = tried("xcb") && !x11.empty();
    const bool onWayland = tried("wayland") && !wayland.empty();
    std::string missing;
    if (onX11 && onWayland)
        missing = fillIn(i18n("cannot open the display {1} nor connect to the Wayland display {2}; "
                              "without a desktop, run it under xvfb-run (packages xvfb and xauth)"),
                         {x11, wayland});
    else if (onX11)
        missing = fillIn(i18n("cannot open the display {1}; without a desktop, run it under "
                              "xvfb-run (packages xvfb and xauth)"),
                         {x11});
    else if (onWayland)
        missing = fillIn(i18n("cannot connect to the Wayland display {1}; without a desktop, run "
                              "it under xvfb-run (packages xvfb and xauth)"),
                         {wayland});
    else if (!platforms.empty())
        missing = fillIn(i18n("the platform \"{1}\" that QT_QPA_PLATFORM names cannot start; "
                              "unset it in a desktop, and without a desktop, run it under "
                              "xvfb-run (packages xvfb and xauth)"),
                         {platforms});
    else
        missing = i18n("no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); without a "
                       "desktop, run it under xvfb-run (packages xvfb and xauth)");
    return escapedControls("kinsight: " + missing);
}

std::string fromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

namespace {

// When no platform can start, Qt would abort after its notes with advice to
// reinstall; the program ends with its own line instead.
struct HeldMessage {
    QtMsgType type;
    const char* file;
    int line;
    const char* function;
    const char* category;
    QString text;
};
std::vector<HeldMessage> heldMessages;
QtMessageHandler releasedHandler = nullptr;

void holdUntilStarted(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        heldMessages.push_back(
            {type, context.file, context.line, context.function, context.category, text});
        return;
    }
    std::fprintf(stderr, "%s\n", displayFailure(fromEnvironment).c_str());
    std::_Exit(kFailureExitStatus);
}

} // namespace

void holdPlatformNotes() {
    releasedHandler = qInstallMessageHandler(holdUntilStarted);
}

void releasePlatformNotes() {
    qInstallMessageHandler(releasedHandler);
    for (const HeldMessage& held : heldMessages)
        releasedHandler(held.type,
                        QMessageLogContext(held.file, held.line, held.function, held.category),
                        held.text);
    heldMessages.clear();
}

} // namespace kinsight
