// The checker's job about names: the fifteen names as read, and after the
// reading, names that are empty, repeated or cannot name a picture, and
// pictures the program would not show.
#pragma once

#include "check_step.h"
#include "quiz_tables.h"

#include <array>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace kinsight {

struct NameTable {
    std::array<std::string, kCharacterSlots> names{}; // slots 1..count
    CharacterNumbers lines{};
    int count = 0; // names read
    // What stands between the fifteenth name and "Start:", as the reading
    // skips it (the first few lines only), with its line.
    std::vector<std::pair<int, std::string>> beforeStart;

    int nonEmpty() const;
};

class NameList : public CheckStep {
public:
    using CheckStep::CheckStep;
    const NameTable& table() const { return m_table; }

protected:
    void see(const FieldEvent& e) override;

private:
    NameTable m_table;
};

// Without a probe, pictures are only looked for, not read; with a measurer,
// names wider than the result box are told too.
void checkNames(const NameTable& table, const std::filesystem::path& picturesDir,
                const PictureProbe* probe, const TextMeasurer* measurer,
                std::vector<Diagnostic>& out);

} // namespace kinsight
