// Finding a character's picture: Pictures/<name>.jpg beside the quiz, with
// the name used unchanged. Lookup never leaves the Pictures folder. The
// folder is taken by its bytes, whatever their encoding.
#pragma once

#include <QImage>
#include <QString>

#include <filesystem>

namespace kinsight {

struct PictureLookup {
    // The file the name asks for; a warning about a missing picture names it.
    std::filesystem::path expected;
    // The file to load: expected itself, a file whose name matches it but for
    // case, or empty when there is none or the name may not name a file.
    std::filesystem::path found;
    // False for a name that would reach outside the Pictures folder.
    bool nameAllowed = true;
};

// False for names holding a path separator or "..".
bool isPictureNameAllowed(const QString& name);

PictureLookup findPicture(const std::filesystem::path& picturesDir, const QString& name);

// The picture in file, whatever its extension says; null if it is none.
QImage loadPicture(const std::filesystem::path& file);

} // namespace kinsight
