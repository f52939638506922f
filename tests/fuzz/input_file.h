// The quiz file a fuzz target writes each input to, for the code that reads
// quizzes by path: one per process, in a folder of its own in the temporary
// directory ($TMPDIR), removed at exit.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <system_error>

namespace kinsight::test {

// The first call makes the folder, with a Pictures folder holding empty
// pictures of the given names if there are any. The paths are never
// destroyed, so the clean-up at exit can still use them.
inline const std::filesystem::path& fuzzQuizPath(std::initializer_list<const char*> pictures = {}) {
    static const std::filesystem::path* folder = nullptr;
    static const std::filesystem::path* path = [&] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kinsight-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        folder = new std::filesystem::path(pattern);
        if (pictures.size() > 0)
            std::filesystem::create_directory(*folder / "Pictures");
        for (const char* name : pictures)
            std::fclose(std::fopen((*folder / "Pictures" / name).c_str(), "wb"));
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(*folder, ignored);
        });
        return new std::filesystem::path(*folder / "way.txt");
    }();
    return *path;
}

inline void writeFuzzInput(const std::filesystem::path& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file ||
        (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()))
        std::abort();
    std::fclose(file);
}

} // namespace kinsight::test
