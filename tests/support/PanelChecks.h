#pragma once

// What the window shows once a failed race load has cleared its panels.

#include "common/MainWindowModel.h"

#include <gtest/gtest.h>
#include <string>

namespace mv::test {

// No runner row in the grid and no odds panel.
inline void ExpectNoPanelShown(const MainWindowModel& w) {
    for (std::size_t row = 1; row < GridRows; ++row) {
        for (const std::string& cell : w.DEGrid[row]) {
            EXPECT_EQ(cell, "") << "row " << row;
        }
    }
    EXPECT_TRUE(w.MemoOdds1.empty());
    EXPECT_TRUE(w.MemoOdds2.empty());
    EXPECT_TRUE(w.MemoOdds3.empty());
}

} // namespace mv::test
