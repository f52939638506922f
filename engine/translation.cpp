#include "translation.h"

#include <clocale>
#include <filesystem>
#include <libintl.h>

#ifndef KINSIGHT_LOCALE_FROM_PROGRAM
#define KINSIGHT_LOCALE_FROM_PROGRAM "../../share/locale"
#endif

namespace kinsight {

namespace {

constexpr const char* kDomain = "kinsight";

// The build tree keeps its catalogues beside the programs; an installed
// program finds them where the system keeps every program's, by the same
// relative path wherever the tree was installed.
std::filesystem::path catalogueFolder() {
    std::error_code ec;
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    if (ec)
        return {};
    if (std::filesystem::is_directory(folder / "locale", ec))
        return folder / "locale";
    return (folder / KINSIGHT_LOCALE_FROM_PROGRAM).lexically_normal();
}

} // namespace

void startTranslation() {
    std::setlocale(LC_MESSAGES, "");
    // Binding reads nothing: gettext opens a catalogue only for a locale
    // other than C, the first time a message is asked for.
    const std::filesystem::path folder = catalogueFolder();
    if (!folder.empty())
        bindtextdomain(kDomain, folder.c_str());
    bind_textdomain_codeset(kDomain, "UTF-8");
}

const char* i18n(const char* message) {
    return dgettext(kDomain, message);
}

const char* i18np(const char* one, const char* many, unsigned long n) {
    return dngettext(kDomain, one, many, n);
}

std::string fillIn(std::string_view message, std::span<const MessageArg> values) {
    std::string text;
    text.reserve(message.size());
    for (std::size_t i = 0; i < message.size(); ++i) {
        const char c = message[i];
        if (c == '{' && i + 2 < message.size() && message[i + 1] >= '1' && message[i + 1] <= '9' &&
            message[i + 2] == '}') {
            const auto index = static_cast<std::size_t>(message[i + 1] - '1');
            if (index < values.size())
                text += values[index].text();
            i += 2;
            continue;
        }
        text += c;
    }
    return text;
}

} // namespace kinsight
