#include "weight_field.h"

#include "text.h"

namespace kinsight {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isAscii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

} // namespace

WeightField parseWeightField(std::string_view field) {
    WeightField result;
    if (field.empty())
        return result; // the end of a list
    // The way nearly every weight is written, "C07=3", read without the
    // general rules, which give the same numbers for it.
    if (field.size() >= 5 && isAscii(field[0]) && isDigit(field[1]) && isDigit(field[2]) &&
        isAscii(field[3]) && isDigit(field[4])) {
        result.slot = (field[1] - '0') * 10 + (field[2] - '0');
        result.points = field[4] - '0';
        return result;
    }
    result.slot = roundToIndex(leadingNumber(characters(field, 1, 2)));
    if (characterCount(field) >= 5)
        result.points = static_cast<int>(roundToIndex(leadingNumber(characters(field, 4, 1))));
    return result;
}

} // namespace kinsight
