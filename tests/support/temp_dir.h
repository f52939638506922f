// A temporary folder for one test, removed with all it holds when the test is
// done; the tests write quiz files and pictures into it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace kinsight::test {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kinsight-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        m_path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    // Writes bytes exactly as given, making the folders on the way, and
    // returns the file's full path.
    std::filesystem::path write(const std::filesystem::path& name, const std::string& bytes) const {
        const std::filesystem::path file = m_path / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out)
            throw std::runtime_error("cannot write " + file.string());
        return file;
    }

    // Empty files do as pictures where only their presence counts; in
    // Pictures/ of the folder given, or of this one.
    void pictures(const std::vector<std::string>& names,
                  const std::filesystem::path& folder = {}) const {
        std::filesystem::create_directories(m_path / folder / "Pictures");
        for (const std::string& name : names)
            write(folder / "Pictures" / (name + ".jpg"), "");
    }

private:
    std::filesystem::path m_path;
};

} // namespace kinsight::test
