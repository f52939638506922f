// The result picture as the program shows it: Pictures/<name>.jpg beside the
// quiz, the name used unchanged, found whatever the case of the file's name,
// read by its content with a bound on its size. The program and the authors'
// checker both use it, so a picture the checker passes is one the program
// shows. The folder is taken by its bytes, whatever their encoding. Qt Gui
// only: no widgets.
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
    // False for a name that cannot name a file in the Pictures folder.
    bool nameAllowed = true;
    // The system's error number when the folder could not be searched or
    // listed, so that a picture may be there unseen; 0 otherwise.
    int folderError = 0;
};

// False only for names holding a path separator or a NUL, the engine's rule.
bool isPictureNameAllowed(const QString& name);

PictureLookup findPicture(const std::filesystem::path& picturesDir, const QString& name);

// A picture larger than this once decoded is refused rather than read: a
// small file may claim a huge picture.
inline constexpr int kPictureAllocationLimitMiB = 128;

enum class PictureProblem { None, NameRefused, Missing, Unreadable, NotAPicture, TooLarge };

struct ResultPicture {
    PictureLookup lookup;
    QImage image; // null unless problem is None
    PictureProblem problem = PictureProblem::None;
    QString detail; // for Unreadable and TooLarge: the reader's words or the size
};

// Finds and reads the picture of the character named name.
ResultPicture readResultPicture(const std::filesystem::path& picturesDir, const QString& name);

// Why the picture is not shown, completing "<file> ...": "is missing",
// "is not a picture", ...; empty when it is shown.
QString pictureProblemText(const ResultPicture& picture);

} // namespace kinsight
