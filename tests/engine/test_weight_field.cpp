// Weight fields: which character and how many points a field such as "C07=3"
// gives, and the forgiving number reading underneath.
#include "row_name.h"
#include "text.h"
#include "weight_field.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct WeightCase {
    const char* name;
    std::string field;
    long long slot;
    int points;
};

class WeightFields : public ::testing::TestWithParam<WeightCase> {};

TEST_P(WeightFields, GiveCharacterAndPoints) {
    const kinsight::WeightField weight = kinsight::parseWeightField(GetParam().field);
    EXPECT_EQ(weight.slot, GetParam().slot);
    EXPECT_EQ(weight.points, GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(Forms, WeightFields,
                         ::testing::Values(WeightCase{"TwoDigits", "C15=9", 15, 9},
                                           WeightCase{"LeadingZero", "C07=3", 7, 3},
                                           WeightCase{"BlankBeforeDigit", "C 3=2", 3, 2},
                                           WeightCase{"BlankAfterDigit", "C3 =2", 3, 2},
                                           WeightCase{"TabBeforeDigit", "C\t3=2", 3, 2},
                                           WeightCase{"NoPointsAfterSeparator", "C03=", 3, 0},
                                           WeightCase{"ShortFieldHasNoPoints", "C7", 7, 0},
                                           WeightCase{"FourCharactersHaveNoPoints", "C07=", 7, 0},
                                           WeightCase{"TerminatorIsSlotZero", "", 0, 0},
                                           WeightCase{"OnlyCharacterFiveCounts", "C07=35", 7, 3},
                                           WeightCase{"AnySeparator", "C07 5", 7, 5},
                                           WeightCase{"LetterForPoints", "C07=x", 7, 0},
                                           WeightCase{"DigitsRunOnIntoPoints", "C12345", 12, 4},
                                           WeightCase{"NoNumberIsSlotZero", "Cab=5", 0, 5},
                                           WeightCase{"DigitThenLetter", "C1x=4", 1, 4},
                                           WeightCase{"SignedNumber", "C+5=1", 5, 1},
                                           WeightCase{"OutOfRangeHigh", "X99=1", 99, 1},
                                           WeightCase{"OutOfRangeNegative", "C-1=2", -1, 2},
                                           WeightCase{"DecimalRoundsUp", "C.9=1", 1, 1},
                                           WeightCase{"HalfRoundsToEven", "C.5=1", 0, 1},
                                           WeightCase{"CountsCharactersNotBytes",
                                                      "\xC3\xA9"
                                                      "07=3",
                                                      7, 3},
                                           WeightCase{"NonAsciiPoints", "C07=\xC3\xA9", 7, 0}),
                         kinsight::test::rowName);

struct NumberCase {
    const char* name;
    std::string text;
    double value;
};

class LeadingNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumber, ReadsTheNumberTheTextStartsWith) {
    EXPECT_DOUBLE_EQ(kinsight::leadingNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumber,
                         ::testing::Values(NumberCase{"Empty", "", 0},
                                           NumberCase{"NoDigits", "abc", 0},
                                           NumberCase{"StopsAtLetter", "12abc", 12},
                                           NumberCase{"BlanksAnywhere", " 1 2 ", 12},
                                           NumberCase{"Negative", "-3", -3},
                                           NumberCase{"Fraction", "2.25", 2.25},
                                           NumberCase{"SecondPointStops", "1.5.2", 1.5},
                                           NumberCase{"SignAlone", "-", 0}),
                         kinsight::test::rowName);

} // namespace
