// The quiz's fixed-size tables. Slot 0 exists everywhere and is never scored,
// so every index reads as a character number 1..15 or an answer number 1..6.
#pragma once

#include <array>
#include <string>

namespace kinsight {

inline constexpr int kCharacterCount = 15;
inline constexpr int kAnswerCount = 6;

struct QuizTables {
    // Names of characters 1..15; slot 0 stays empty.
    std::array<std::string, 16> CharacterTable{};
    // Points of answer 1..6 for character 0..15, for the question shown.
    std::array<std::array<int, 16>, 7> WeightTable{};
    // Running scores of characters 1..15.
    std::array<int, 16> ScoreTable{};
    // How many characters each character beats.
    std::array<int, 16> WinCount{};
    // The characters sharing the top score, ascending, from position 0.
    std::array<int, 16> TieList{};

    void clear() { *this = QuizTables{}; }
};

} // namespace kinsight
