// Reading one weight field such as "C07=3": the character number stands in
// characters 2 and 3, the points in character 5; everything else is free.
#pragma once

#include <string_view>

namespace kinsight {

struct WeightField {
    long long slot = 0; // not yet checked against the table
    int points = 0;
};

WeightField parseWeightField(std::string_view field);

} // namespace kinsight
