// What kinsight and kinsight-check tell about themselves: purpose, options
// and exit statuses, for their usage and their parsing alike.
#pragma once

#include "command_line.h"

namespace kinsight {

extern const Program& kKinsightProgram;
extern const Program& kCheckProgram;

} // namespace kinsight
