#include "picture_file.h"

#include "caseless.h"
#include "field_words.h"
#include "quiz_location.h"
#include "translation.h"

#include <algorithm>
#include <system_error>

namespace kinsight {

bool isPictureName(std::string_view name) {
    return name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

std::string nearMissHint(const PictureLookup& lookup) {
    if (lookup.nearMiss.empty())
        return {};
    return fillIn(i18n("there is {1}: name it {2}"),
                  {inQuotes(lookup.nearMiss.filename().native()),
                   inQuotes(lookup.expected.filename().native())});
}

PictureLookup findPicture(const std::filesystem::path& picturesDir, const std::string& name) {
    PictureLookup lookup;
    const std::string fileName = name + ".jpg";
    lookup.expected = picturesDir / fileName;
    lookup.nameAllowed = isPictureName(name);
    if (!lookup.nameAllowed)
        return lookup;
    std::error_code ec;
    if (std::filesystem::is_regular_file(lookup.expected, ec)) {
        lookup.found = lookup.expected;
        return lookup;
    }
    // Quiz folders often come from systems that ignore case in file names,
    // or that write them decomposed, or in Windows-1252. Of several matches
    // the first by name is taken, whatever the listing's order, and the
    // others are kept for a loader to try.
    const std::string wanted = caselessForm(fileName);
    const std::string stem = caselessForm(name);
    std::vector<std::filesystem::path> matches;
    for (std::filesystem::directory_iterator it(picturesDir, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeError;
        const std::filesystem::path entry = it->path();
        if (!it->is_regular_file(typeError))
            continue;
        const std::string file = caselessForm(shownPath(entry.filename()));
        const std::string fileStem = caselessForm(shownPath(entry.stem()));
        if (file == wanted)
            matches.push_back(entry);
        const bool near = fileStem == stem || fileStem == wanted;
        if (near && file != wanted && (lookup.nearMiss.empty() || entry < lookup.nearMiss))
            lookup.nearMiss = entry;
    }
    std::sort(matches.begin(), matches.end());
    if (!matches.empty()) {
        lookup.found = matches.front();
        lookup.alike.assign(matches.begin() + 1, matches.end());
        lookup.nearMiss.clear();
    }
    lookup.folderError = ec.value();
    return lookup;
}

} // namespace kinsight
