#pragma once

#include <gtest/gtest.h>
#include <string>

namespace mv::test {

// Names a row of a parameterised test after its `name` field.
struct ByName {
    template <typename T>
    std::string operator()(const testing::TestParamInfo<T>& row) const {
        return std::string(row.param.name);
    }
};

} // namespace mv::test
