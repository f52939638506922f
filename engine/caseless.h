// Names compared as people read them: whatever their case, and whatever
// Unicode normal form the system that wrote them prefers (macOS writes file
// names decomposed, "Zoe" and a combining diaeresis for "Zoë").
#pragma once

#include <string>
#include <string_view>

namespace kinsight {

// The form in which canonically equivalent texts that differ only in case
// are equal: decomposed, case folded (simple folding, as Qt folds), and
// decomposed again. UTF-8 in and out; bytes that are not UTF-8 stay as they
// are, so such a name matches only itself.
std::string caselessForm(std::string_view text);

} // namespace kinsight
