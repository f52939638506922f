#include "caseless.h"

#include "text.h"
#include "unicode_tables.h"

#include <algorithm>

namespace kinsight {

namespace {

using namespace unicode;

// A byte that is not part of UTF-8, carried past every code point.
constexpr char32_t kRawByte = 0x110000;

// Hangul syllables are leading consonant, vowel and optional trailing
// consonant, numbered in that order.
constexpr char32_t kSyllableFirst = 0xAC00, kSyllableCount = 11172;
constexpr char32_t kLeadFirst = 0x1100, kVowelFirst = 0x1161, kTrailFirst = 0x11A7;
constexpr char32_t kVowelCount = 21, kTrailCount = 28;

void decompose(char32_t c, std::u32string& out) {
    if (c - kSyllableFirst < kSyllableCount) {
        const char32_t index = c - kSyllableFirst;
        out += kLeadFirst + index / (kVowelCount * kTrailCount);
        out += kVowelFirst + index % (kVowelCount * kTrailCount) / kTrailCount;
        if (index % kTrailCount != 0)
            out += kTrailFirst + index % kTrailCount;
        return;
    }
    const Decomposition* end = kDecompositions + kDecompositionCount;
    const Decomposition* d =
        std::lower_bound(kDecompositions, end, c,
                         [](const Decomposition& e, char32_t code) { return e.code < code; });
    if (d == end || d->code != c) {
        out += c;
        return;
    }
    decompose(d->first, out);
    if (d->second != 0)
        out += d->second;
}

int combiningClass(char32_t c) {
    const ClassRange* end = kClassRanges + kClassRangeCount;
    const ClassRange* r = std::lower_bound(
        kClassRanges, end, c, [](const ClassRange& e, char32_t code) { return e.last < code; });
    return r != end && r->first <= c ? r->combiningClass : 0;
}

char32_t simpleFold(char32_t c) {
    const FoldRun* end = kFoldRuns + kFoldRunCount;
    const FoldRun* r = std::lower_bound(
        kFoldRuns, end, c, [](const FoldRun& e, char32_t code) { return e.last < code; });
    if (r == end || r->first > c || (c - r->first) % r->stride != 0)
        return c;
    return static_cast<char32_t>(static_cast<int>(c) + r->delta);
}

// The canonical decomposition of text: every character decomposed, and each
// run of combining marks put in order of their classes.
std::u32string decomposed(const std::u32string& text) {
    std::u32string out;
    for (char32_t c : text)
        decompose(c, out);
    for (std::size_t i = 1; i < out.size(); ++i) {
        const int cls = combiningClass(out[i]);
        for (std::size_t j = i; cls != 0 && j > 0 && combiningClass(out[j - 1]) > cls; --j)
            std::swap(out[j - 1], out[j]);
    }
    return out;
}

// The code points of UTF-8 text; a byte that begins no well-formed sequence
// becomes kRawByte plus the byte.
std::u32string codePoints(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        Utf8Validator check;
        check.feed(text.data() + i, std::min(length, text.size() - i));
        if (length > text.size() - i || !check.valid()) {
            out += kRawByte + lead;
            ++i;
            continue;
        }
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out += c;
        i += length;
    }
    return out;
}

} // namespace

std::string caselessForm(std::string_view text) {
    std::u32string form = decomposed(codePoints(text));
    std::transform(form.begin(), form.end(), form.begin(), simpleFold);
    std::string out;
    char buffer[4];
    for (char32_t c : decomposed(form)) {
        if (c >= kRawByte)
            out += static_cast<char>(c - kRawByte);
        else
            out.append(buffer, putUtf8(c, buffer));
    }
    return out;
}

} // namespace kinsight
