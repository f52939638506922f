// The program's own messages in the user's language, through GNU gettext:
// its runtime is in the C library, so neither program gains a dependency and
// the engine stays free of Qt. English is the source language; under the C
// locale every message is the English text it was written as.
#pragma once

#include <concepts>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace kinsight {

// Binds the catalogue folder of the running program and follows the user's
// locale for messages only: numbers and sorting keep the C locale, so a
// line reference stays FILE:LINE for an editor to jump to.
void startTranslation();

// A message in the user's language. Marked by name for xgettext.
const char* i18n(const char* message);
// The plural form of a message for n, as the user's language counts.
const char* i18np(const char* one, const char* many, unsigned long n);
// Marks a message for translation where it is stored; i18n() translates it
// where it is used.
#define I18N_NOOP(message) message
// The same for the two English forms of a plural message, as two arguments.
#define I18NP_NOOP(one, many) one, many

// One value for a place in a message: text, or a whole number written out.
class MessageArg {
public:
    MessageArg(std::string_view text) : m_text(text) {}
    MessageArg(const std::string& text) : m_text(text) {}
    MessageArg(const char* text) : m_text(text) {}
    template <std::integral N>
    requires(!std::same_as<N, char> && !std::same_as<N, bool>) MessageArg(N number)
        : m_text(std::to_string(number)) {}
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

// The message with {1} to {9} replaced by the values in order; a translation
// may place them in any order.
std::string fillIn(std::string_view message, std::span<const MessageArg> values);
inline std::string fillIn(std::string_view message, std::initializer_list<MessageArg> values) {
    return fillIn(message, std::span<const MessageArg>(values.begin(), values.size()));
}

} // namespace kinsight
