// The result picture as the program shows it: the file the engine finds
// (picture_file.h), read by its content with a bound on its size. The
// program and the authors' checker both use it, so a picture the checker
// passes is one the program shows. The folder is taken by its bytes,
// whatever their encoding. Qt Gui only: no widgets.
#pragma once

#include "picture_file.h"

#include <QImage>
#include <QString>

namespace kinsight {

// A picture larger than this once decoded is refused rather than read: a
// small file may claim a huge picture.
inline constexpr int kPictureAllocationLimitMiB = 128;

enum class PictureProblem { None, NameRefused, Missing, Unreadable, NotAPicture, TooLarge };

struct ResultPicture {
    PictureLookup lookup;
    QImage image; // null unless problem is None
    PictureProblem problem = PictureProblem::None;
    // For Unreadable and TooLarge: the reader's words or the size; for
    // NotAPicture, the format its first bytes tell (WebP, HEIC, ...), if any.
    QString detail;
};

// Finds and reads the picture of the character named name.
ResultPicture readResultPicture(const std::filesystem::path& picturesDir, const QString& name);

// Why the picture is not shown, completing "<file> ...": "is missing",
// "is not a picture", ...; empty when it is shown.
QString pictureProblemText(const ResultPicture& picture);

} // namespace kinsight
