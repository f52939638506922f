// A temporary folder for one test, removed with all it holds when the test is
// done; the tests write quiz files and pictures into it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace kinsight::test {

// A grey JPEG whose header claims the given size; its data is for one pixel,
// so only a 1 x 1 one is whole.
inline std::string jpeg(unsigned width = 1, unsigned height = 1) {
    std::string bytes(
        "\xFF\xD8\xFF\xDB\x00\x43\x00\x10\x0B\x0C\x0E\x0C\x0A\x10\x0E\x0D\x0E\x12\x11\x10\x13"
        "\x18\x28\x1A\x18\x16\x16\x18\x31\x23\x25\x1D\x28\x3A\x33\x3D\x3C\x39\x33\x38\x37\x40"
        "\x48\x5C\x4E\x40\x44\x57\x45\x37\x38\x50\x6D\x51\x57\x5F\x62\x67\x68\x67\x3E\x4D\x71"
        "\x79\x70\x64\x78\x5C\x65\x67\x63\xFF\xC0\x00\x0B\x08\x00\x01\x00\x01\x01\x01\x11\x00"
        "\xFF\xC4\x00\x14\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
        "\x01\xFF\xC4\x00\x14\x10\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"
        "\x00\x00\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00\x1F\xFF\xD9",
        141);
    const std::size_t size = bytes.find("\xFF\xC0") + 5; // height, then width
    bytes[size] = static_cast<char>(height >> 8);
    bytes[size + 1] = static_cast<char>(height & 0xFF);
    bytes[size + 2] = static_cast<char>(width >> 8);
    bytes[size + 3] = static_cast<char>(width & 0xFF);
    return bytes;
}

// Root reads whatever the permissions say, so a test of a permission runs
// read as nobody for a moment, and is root again after; nothing when there is
// no user to become.
template <class Read> auto asNobody(Read read) -> std::optional<decltype(read())> {
    const uid_t user = geteuid();
    if (user == 0 && seteuid(65534) != 0)
        return std::nullopt;
    auto result = read();
    if (seteuid(user) != 0)
        throw std::runtime_error("root no more");
    return result;
}

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

    // A grey JPEG of one pixel for each name, in Pictures/ of the folder
    // given, or of this one.
    void pictures(const std::vector<std::string>& names,
                  const std::filesystem::path& folder = {}) const {
        std::filesystem::create_directories(m_path / folder / "Pictures");
        for (const std::string& name : names)
            write(folder / "Pictures" / (name + ".jpg"), jpeg());
    }

private:
    std::filesystem::path m_path;
};

} // namespace kinsight::test
