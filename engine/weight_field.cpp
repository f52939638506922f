#include "weight_field.h"

#include "text.h"

namespace kinsight {

WeightField parseWeightField(std::string_view field) {
    WeightField result;
    result.slot = roundToIndex(leadingNumber(characters(field, 1, 2)));
    if (characterCount(field) >= 5)
        result.points = static_cast<int>(roundToIndex(leadingNumber(characters(field, 4, 1))));
    return result;
}

} // namespace kinsight
