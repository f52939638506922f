// Finding a character's picture: Pictures/<name>.jpg beside the quiz, with
// the name used unchanged. Lookup never leaves the Pictures folder.
#pragma once

#include <QString>

namespace kinsight {

struct PictureLookup {
    // The file the name asks for; a warning about a missing picture names it.
    QString expected;
    // The file to load: expected itself, a file whose name matches it but for
    // case, or empty when there is none or the name may not name a file.
    QString found;
    // False for a name that would reach outside the Pictures folder.
    bool nameAllowed = true;
};

// False for names holding a path separator or "..".
bool isPictureNameAllowed(const QString& name);

PictureLookup findPicture(const QString& picturesDir, const QString& name);

} // namespace kinsight
