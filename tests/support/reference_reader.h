// A plain reader of quiz files, for tests only: the whole file in memory, one
// byte at a time, no vector scans. The engine's reader must cut
// every input exactly as this one does; the unit tests and the fuzz target
// compare the two. Also the encoders tests need to write a quiz as Windows-1252
// or UTF-16.
#pragma once

#include "quiz_error.h"
#include "quiz_file.h"
#include "text.h"

#include <cstddef>
#include <filesystem>
#include <limits>
#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kinsight::test {

struct ReadField {
    std::string text;
    int line = 0;
    bool quoted = false;
    bool operator==(const ReadField&) const = default;
};

// Every field of a file, then the failure that ended the reading: reading
// past the end, or an earlier one.
struct FileReading {
    std::vector<ReadField> fields;
    std::string failure;
    bool operator==(const FileReading&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const FileReading& reading) {
    for (const ReadField& f : reading.fields)
        out << f.line << (f.quoted ? ":\"" : ":") << f.text << (f.quoted ? "\" " : " ");
    return out << "| " << reading.failure;
}

inline constexpr const char* kReading = "reading a field";

// The file's text as UTF-8, by the encoding rules alone.
inline std::string referenceText(std::string_view bytes) {
    std::string text;
    char utf8[4];
    auto put = [&](char32_t cp) { text.append(utf8, putUtf8(cp, utf8)); };
    const bool le = bytes.substr(0, 2) == "\xFF\xFE";
    if (le || bytes.substr(0, 2) == "\xFE\xFF") {
        std::vector<char32_t> units;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto a = static_cast<unsigned char>(bytes[i]);
            const auto b = static_cast<unsigned char>(bytes[i + 1]);
            units.push_back(le ? (b << 8 | a) : (a << 8 | b));
        }
        for (std::size_t i = 0; i < units.size(); ++i) {
            const char32_t u = units[i];
            const bool pairs = u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() &&
                               units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
            if (pairs)
                put(0x10000 + ((u - 0xD800) << 10) + (units[++i] - 0xDC00));
            else
                put(u >= 0xD800 && u <= 0xDFFF ? 0xFFFD : u);
        }
        if (bytes.size() % 2 == 1)
            put(0xFFFD);
        return text;
    }
    Utf8Validator validator;
    for (char byte : bytes)
        validator.feed(&byte, 1);
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    if (validator.valid())
        return std::string(bytes);
    for (char byte : bytes)
        put(windows1252CodePoint(static_cast<unsigned char>(byte)));
    return text;
}

inline FileReading referenceReading(std::string_view bytes, const std::string& name) {
    const std::string t = referenceText(bytes);
    const std::size_t n = t.size();
    FileReading out;
    std::size_t i = 0;
    int line = 1;
    auto takeLineEnd = [&] {
        if (t[i++] == '\r' && i < n && t[i] == '\n')
            ++i;
        if (line < std::numeric_limits<int>::max())
            ++line;
    };
    if (t.find('\0') != std::string::npos) {
        while (t[i] != '\0') {
            if (t[i] == '\r' || t[i] == '\n')
                takeLineEnd();
            else
                ++i;
        }
        out.failure = QuizError(Failure::NotText, name, line,
                                "this line holds a NUL byte; save the quiz as UTF-8")
                          .what();
        return out;
    }
    auto endsField = [&](char c) { return c == ',' || c == '\r' || c == '\n'; };
    bool lastWasLineEnd = true;
    while (i < n) {
        while (i < n && (t[i] == ' ' || t[i] == '\t'))
            ++i;
        ReadField field{"", line, i < n && t[i] == '"'};
        bool unclosed = false;
        if (field.quoted) {
            for (++i; i < n && t[i] != '"';) {
                if (t[i] == '\r' || t[i] == '\n') {
                    takeLineEnd();
                    field.text += '\n';
                } else {
                    field.text += t[i++];
                }
            }
            unclosed = i == n;
            while (i < n && !endsField(t[i]))
                ++i;
        } else {
            while (i < n && !endsField(t[i]))
                field.text += t[i++];
        }
        if (!field.quoted)
            while (!field.text.empty() && (field.text.back() == ' ' || field.text.back() == '\t'))
                field.text.pop_back();
        if (field.text.size() > QuizFile::kMaxFieldBytes) {
            out.failure = QuizError(Failure::FieldTooLong, name, field.line,
                                    std::string(kReading) + "; over 64 KiB")
                              .what();
            return out;
        }
        // A quote never closed may have taken the last line end.
        lastWasLineEnd =
            i < n ? t[i] != ',' : unclosed && !field.text.empty() && field.text.back() == '\n';
        if (i < n && t[i] == ',')
            ++i;
        else if (i < n)
            takeLineEnd();
        out.fields.push_back(std::move(field));
    }
    out.failure = QuizError(Failure::InputPastEndOfFile, name,
                            lastWasLineEnd && line > 1 ? line - 1 : line, kReading)
                      .what();
    return out;
}

// The engine's reader on a file, reading blockBytes of it at a time.
inline FileReading engineReading(const std::filesystem::path& file, const std::string& name,
                                 std::size_t blockBytes = QuizFileLimits{}.blockBytes) {
    FileReading out;
    QuizFile reader;
    try {
        reader.open(readQuizText(file, name, {blockBytes}));
        while (!reader.atEnd()) {
            const std::string_view text = reader.readField(kReading);
            out.fields.push_back({std::string(text), reader.fieldLine(), reader.fieldQuoted()});
        }
        reader.readField(kReading);
        out.failure = "read past the end without a failure";
    } catch (const QuizError& error) {
        out.failure = error.what();
    }
    return out;
}

// UTF-8 text in another encoding, byte-order mark included for UTF-16.
// Windows-1252 takes only the characters it has.
inline std::string encodeAs(std::string_view utf8, std::string_view encoding) {
    std::vector<char32_t> cps;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k)
            cp = cp << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        cps.push_back(cp);
        i += 1 + extra;
    }
    std::string out;
    if (encoding == "Windows-1252") {
        std::map<char32_t, char> bytes;
        for (int byte = 0; byte < 256; ++byte)
            bytes.emplace(windows1252CodePoint(static_cast<unsigned char>(byte)),
                          static_cast<char>(byte));
        for (char32_t cp : cps)
            if (const auto it = bytes.find(cp); it != bytes.end())
                out += it->second;
        return out;
    }
    const bool be = encoding == "UTF-16BE";
    auto unit = [&](char32_t u) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += be ? hi : lo;
        out += be ? lo : hi;
    };
    unit(0xFEFF);
    for (char32_t cp : cps) {
        if (cp < 0x10000) {
            unit(cp);
        } else {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    return out;
}

} // namespace kinsight::test
