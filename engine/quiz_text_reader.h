// Reading a quiz file's bytes and decoding them to UTF-8, all at once.
//
// A pass reads the whole file into memory once and takes its fields from
// there: whatever happens to the file during the pass (saved in place,
// truncated, replaced, grown), the pass plays the quiz as it was when it
// began. The file may be UTF-8 (with or without a byte-order mark),
// Windows-1252, or UTF-16 with its byte-order mark.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kinsight {

// A quiz file's whole text, read once.
struct QuizText {
    struct Free {
        void operator()(char* bytes) const;
    };
    std::string displayName;             // what errors about its fields call it
    std::unique_ptr<char, Free> storage; // the bytes text is in
    std::string_view text;               // UTF-8, without a byte-order mark
    bool windows1252 = false;
    // A file of UTF-8 letters but for a byte that is not UTF-8: it is read
    // as Windows-1252 all the same, which garbles those letters.
    struct StrayByte {
        int line = 0; // of the first byte that is not UTF-8
        unsigned char byte = 0;
        std::string letter; // the first UTF-8 letter of the file, as UTF-8
    };
    std::optional<StrayByte> strayByte;
};

// How a quiz file is read; tests set their own.
struct QuizFileLimits {
    std::size_t blockBytes = 256 * 1024;                  // read from the file at a time
    std::uintmax_t fileBytes = std::uintmax_t{256} << 20; // the most a quiz file may hold
};

// The whole file as UTF-8. displayName is what errors about its fields call
// it; a file that cannot be read is named by its full path. Throws
// QuizError: the name fileError gives, Out of memory past the limit, Not a
// text file (naming the first line with a NUL character).
std::shared_ptr<const QuizText> readQuizText(const std::filesystem::path& path,
                                             std::string displayName, QuizFileLimits limits = {});

// A size as messages give it: "64 KiB", "256 MiB", "100 bytes".
std::string sizeText(std::uintmax_t bytes);

} // namespace kinsight
