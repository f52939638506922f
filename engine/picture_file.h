// Which file is a character's picture: Pictures/<name>.jpg beside the quiz,
// the name used unchanged, found whatever the case and Unicode normal form of
// the file's name. The program and the authors' checker, built with or
// without the windows, all look for pictures here.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kinsight {

// Whether a character's name can name its picture: always, unless it holds
// a path separator (/, or \ as Windows has it) or a NUL. With ".jpg" after
// it, even ".." names a file of the folder.
bool isPictureName(std::string_view name);

struct PictureLookup {
    // The file the name asks for; a warning about a missing picture names it.
    std::filesystem::path expected;
    // The file to load: expected itself, a file whose name reads the same
    // but for case or normal form, or empty when there is none or the name
    // may not name a file.
    std::filesystem::path found;
    // Other files whose names read the same as found's, by name: a loader
    // tries them in turn when found cannot be read as a picture.
    std::vector<std::filesystem::path> alike;
    // False for a name that cannot name a file in the Pictures folder.
    bool nameAllowed = true;
    // The system's error number when the folder could not be searched or
    // listed, so that a picture may be there unseen; 0 otherwise.
    int folderError = 0;
    // With nothing found: a file that differs from the one asked for only
    // by its extension (Mars.png, Mars.jpeg) or by a doubled one
    // (Mars.jpg.jpg), which is never loaded but is likely the one meant.
    std::filesystem::path nearMiss;
};

// For a lookup with a near miss: there is "Mars.png": name it "Mars.jpg".
// Empty without one.
std::string nearMissHint(const PictureLookup& lookup);

PictureLookup findPicture(const std::filesystem::path& picturesDir, const std::string& name);

} // namespace kinsight
