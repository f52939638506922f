// The program's picture loader handed to the authors' checker: a picture is
// found and read exactly as the main window shows it. Needs Qt Gui, no
// application object.
#pragma once

#include "checker.h"

namespace kinsight {

class ProgramPictureProbe : public PictureProbe {
public:
    PictureFinding probe(const std::filesystem::path& picturesDir,
                         const std::string& name) const override;
};

} // namespace kinsight
