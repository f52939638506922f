#include "name_checks.h"

#include "caseless.h"
#include "field_words.h"
#include "markers.h"
#include "picture_file.h"
#include "quiz_error.h"
#include "text.h"
#include "translation.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace kinsight {

namespace {

// The pictures' file names as they read with blanks, case and normal form
// left out: a picture the program misses may differ only in blanks.
class ListedPictures {
public:
    explicit ListedPictures(const std::filesystem::path& folder) {
        std::error_code ec;
        for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
             it.increment(ec)) {
            std::error_code typeError;
            if (!it->is_regular_file(typeError))
                continue;
            m_folded.insert(folded(caselessForm(it->path().filename().native())));
        }
    }
    bool hasFolded(const std::string& file) const {
        return m_folded.count(folded(caselessForm(file))) > 0;
    }

private:
    std::set<std::string> m_folded;
};

} // namespace

int NameTable::nonEmpty() const {
    return static_cast<int>(std::count_if(names.begin() + 1, names.begin() + 1 + count,
                                          [](const std::string& name) { return !name.empty(); }));
}

void NameList::see(const FieldEvent& e) {
    if (e.role == FieldRole::Title && withoutUnseen(e.text).size() != e.text.size())
        warn(WarningKind::InvisibleInTitle, e.line,
             fillIn(i18n("the title {1} holds characters the player does not see (shown here as "
                         "\\u{...}); delete them"),
                    {inQuotes(e.text)}));
    // Descriptions may stand there too: only so many are worth a look.
    constexpr std::size_t kBeforeStartKept = 32;
    if (e.role == FieldRole::Skipped && e.marker == kStartMarker && !e.text.empty() &&
        m_table.beforeStart.size() < kBeforeStartKept)
        m_table.beforeStart.emplace_back(e.line, std::string(e.text));
    if (e.role != FieldRole::Name)
        return;
    m_table.names[e.slot] = e.text;
    m_table.lines[e.slot] = e.line;
    ++m_table.count;
}

void checkNames(const NameTable& table, const std::filesystem::path& picturesDir,
                const PictureProbe* probe, const TextMeasurer* measurer,
                std::vector<Diagnostic>& out) {
    auto warn = [&](int slot, std::string message) {
        out.push_back({Severity::Warning, table.lines[slot], std::move(message)});
    };
    const auto& names = table.names;
    std::vector<int> pictured; // slots whose picture is worth looking for
    for (int slot = 1; slot <= table.count; ++slot) {
        const std::string& name = names[slot];
        if (isMarker(name))
            continue; // told by the marker search
        if (name.empty()) {
            warn(slot,
                 fillIn(i18n("the name of character {1} is empty, so it has no picture"), {slot}));
            continue;
        }
        if (!isPictureName(name)) {
            const auto bad = std::find_if(name.begin(), name.end(), [](char ch) {
                return !isPictureName(std::string_view(&ch, 1));
            });
            warn(slot, fillIn(i18n("the name {1} cannot be a file name: it holds {2}"),
                              {characterRef(slot, name), inQuotes(std::string_view(&*bad, 1))}));
            continue;
        }
        if (measurer)
            if (const auto from = measurer->nameShownFrom(name))
                warn(slot, fillIn(i18n("the name {1} is wider than the result box; the player "
                                       "sees only its end, {2}"),
                                  {characterRef(slot, name),
                                   inQuotes("..." + std::string(name.substr(*from)))}));
        // The longest file name a file system takes is 255 bytes.
        if (name.size() + 4 > 255) {
            warn(slot, fillIn(i18n("the name {1} is {2} bytes long, too long for a file name "
                                   "with \".jpg\", so it can have no picture; a name may have up "
                                   "to 251 bytes"),
                              {characterRef(slot, name), name.size()}));
            continue;
        }
        const auto same = std::find(names.begin() + 1, names.begin() + slot, name);
        if (same != names.begin() + slot) {
            warn(slot, fillIn(i18n("the name {1} is also the name of character {2}"),
                              {characterRef(slot, name), same - names.begin()}));
            continue;
        }
        // What the author cannot see, the player cannot either, and the
        // picture's file name must hold it all the same.
        if (const std::string seen = withoutUnseen(name); seen.size() != name.size()) {
            const auto looksSame = std::find_if(
                names.begin() + 1, names.begin() + slot,
                [&seen](const std::string& other) { return withoutUnseen(other) == seen; });
            if (looksSame != names.begin() + slot)
                warn(slot, fillIn(i18n("the name {1} differs from the name of character {2} only "
                                       "by characters the player does not see (shown here as "
                                       "\\u{...})"),
                                  {characterRef(slot, name), looksSame - names.begin()}));
            else
                warn(slot, fillIn(i18n("the name {1} holds characters the player does not see "
                                       "(shown here as \\u{...}); its picture must be named "
                                       "with them, so delete them"),
                                  {characterRef(slot, name)}));
        }
        pictured.push_back(slot);
    }
    // A sixteenth name, or a name pushed past the fifteenth by one inserted
    // among them, is skipped: its picture tells it for a name.
    // Not a structured binding: clang 14 cannot capture one in the lambda.
    for (const auto& skipped : table.beforeStart) {
        const std::string& field = skipped.second;
        const bool named = std::any_of(names.begin() + 1, names.begin() + 1 + table.count,
                                       [&field](const std::string& name) {
                                           return caselessForm(name) == caselessForm(field);
                                       });
        if (!named && isPictureName(field) && !findPicture(picturesDir, field).found.empty())
            out.push_back({Severity::Warning, skipped.first,
                           fillIn(i18n("only fifteen names are read: {1} is never a character, "
                                       "though it has a picture; if it is one, remove a name"),
                                  {inQuotes(field)})});
    }
    if (pictured.empty())
        return;

    std::error_code ec;
    if (!std::filesystem::is_directory(picturesDir, ec)) {
        out.push_back({Severity::Warning, 0,
                       i18n("there is no folder \"Pictures\" beside the quiz, so no character "
                            "has a picture")});
        return;
    }
    // A picture is looked up inside the folder, which takes the right to
    // search it: "Pictures/." asks for just that. Listing it finds a picture
    // whose name differs in case.
    const auto unreadable = [&](const char* fate) {
        out.push_back({Severity::Warning, 0,
                       fillIn(i18n("the folder \"Pictures\" beside the quiz cannot be read "
                                   "({1}), {2}"),
                              {failureName(fileError({}, ec.value()).failure()), i18n(fate)})});
    };
    (void)std::filesystem::status(picturesDir / ".", ec);
    if (ec) {
        unreadable(I18N_NOOP("so no character has a picture"));
        return;
    }
    std::filesystem::directory_iterator(picturesDir, ec);
    if (ec)
        unreadable(I18N_NOOP("so only pictures named exactly like their character are found"));
    const ListedPictures listed(picturesDir);
    for (int slot : pictured) {
        const std::string& name = names[slot];
        const std::string file = name + ".jpg";
        // Without the program's loader, a picture that is there is taken as shown.
        const PictureFinding finding =
            probe ? probe->probe(picturesDir, name)
                  : PictureFinding{findPicture(picturesDir, name).found.empty()
                                       ? PictureFinding::Missing
                                       : PictureFinding::Shown,
                                   {},
                                   {}};
        const std::string shownFile = "\"Pictures/" + escapedControls(file) + "\"";
        if (finding.kind == PictureFinding::Missing) {
            std::string message =
                fillIn(i18n("no picture {1} for {2}"), {shownFile, characterRef(slot, name)});
            if (listed.hasFolded(file))
                message += i18n("; a file differs only in blanks");
            else if (const std::string hint = nearMissHint(findPicture(picturesDir, name));
                     !hint.empty())
                message += "; " + hint;
            warn(slot, std::move(message));
        } else if (finding.kind == PictureFinding::NotShown) {
            // The file that is there, which may differ from the name in case.
            const std::string there = finding.file.empty()
                                          ? shownFile
                                          : "\"Pictures/" + escapedControls(finding.file) + "\"";
            warn(slot, fillIn(i18n("{1} {2}, so the program shows no picture for {3}"),
                              {there, finding.problem, characterRef(slot, name)}));
        }
    }
}

} // namespace kinsight
