#include "picture_probe.h"

#include "result_picture.h"

namespace kinsight {

PictureFinding ProgramPictureProbe::probe(const std::filesystem::path& picturesDir,
                                          const std::string& name) const {
    const ResultPicture picture = readResultPicture(picturesDir, QString::fromStdString(name));
    switch (picture.problem) {
    case PictureProblem::None:
        return {PictureFinding::Shown, {}, {}};
    case PictureProblem::Missing:
        return {PictureFinding::Missing, {}, {}};
    default:
        return {PictureFinding::NotShown, pictureProblemText(picture).toStdString(),
                picture.lookup.found.filename().native()};
    }
}

} // namespace kinsight
