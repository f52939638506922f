// Names each row of a GoogleTest table by its `name` field, so a failure and
// ctest's list name the case rather than a number.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace kinsight::test {

struct RowName {
    template <class Case> std::string operator()(const testing::TestParamInfo<Case>& row) const {
        return std::string(row.param.name);
    }
};
inline constexpr RowName rowName{};

} // namespace kinsight::test
