// The program's messages in another language for one test, from the tests'
// own locales and the catalogues the build put beside the programs; back to
// the C locale when it ends.
#pragma once

#include <clocale>
#include <cstdlib>
#include <libintl.h>
#include <string>

namespace kinsight::test {

class MessagesIn {
public:
    explicit MessagesIn(const char* locale) {
        setenv("LOCPATH", KINSIGHT_LOCPATH, 1);
        m_active = std::setlocale(LC_MESSAGES, locale) != nullptr;
        bindtextdomain("kinsight", KINSIGHT_CATALOGUES);
        bind_textdomain_codeset("kinsight", "UTF-8");
    }
    ~MessagesIn() { std::setlocale(LC_MESSAGES, "C"); }
    MessagesIn(const MessagesIn&) = delete;
    MessagesIn& operator=(const MessagesIn&) = delete;

    // False where the system could not make the locale.
    bool active() const { return m_active; }

    // The same for a program the test starts, as env takes it.
    static std::string environment(const char* locale) {
        return std::string("LOCPATH=") + KINSIGHT_LOCPATH + " LC_ALL=" + locale;
    }

private:
    bool m_active = false;
};

} // namespace kinsight::test
