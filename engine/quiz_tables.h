// The quiz's fixed-size tables. Slot 0 exists everywhere and is never scored,
// so every index reads as a character number 1..15 or an answer number 1..6.
#pragma once

#include <array>
#include <string>

namespace kinsight {

inline constexpr int kCharacterCount = 15;
inline constexpr int kAnswerCount = 6;
// Table sizes: the numbered slots and the unused slot 0.
inline constexpr std::size_t kCharacterSlots = kCharacterCount + 1;
inline constexpr std::size_t kAnswerSlots = kAnswerCount + 1;

// Points of answers 1..6 for characters 0..15.
using WeightRows = std::array<std::array<int, kCharacterSlots>, kAnswerSlots>;
// One number for each character slot.
using CharacterNumbers = std::array<int, kCharacterSlots>;

struct QuizTables {
    // Names of characters 1..15; slot 0 stays empty.
    std::array<std::string, kCharacterSlots> CharacterTable{};
    // Points of answer 1..6 for character 0..15, for the question shown.
    WeightRows WeightTable{};
    // Running scores of characters 1..15.
    CharacterNumbers ScoreTable{};
    // How many characters each character beats.
    CharacterNumbers WinCount{};
    // The characters sharing the top score, ascending, from position 0.
    std::array<int, kCharacterSlots> TieList{};

    void clear() { *this = QuizTables{}; }
};

} // namespace kinsight
