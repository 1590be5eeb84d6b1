#pragma once

// The main window TMainForm as designed: every widget with its place, docking, font and caption,
// and the race card grid's columns. Both views build the window from these tables; the model's
// initial state and the grid's header texts come from them too.

#include "common/MainWindowModel.h"
#include "platform/WindowDesign.h"

#include <array>

namespace mv {

const WindowDesign& MainFormDesign();

struct GridDesign {
    int fixedRows;                               // the header row
    std::array<int, GridColumns> columnWidths;   // pixels
    std::array<const char*, GridColumns> header; // UTF-8 texts of row 0
    int rowHeight;                               // pixels
    Colour headerColour;                         // the fixed row's background
    Colour cellColour;
};

const GridDesign& DEGridDesign();

} // namespace mv
