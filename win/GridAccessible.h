#pragma once

// What screen readers see of the drawn race card grid (MSAA): a table whose children are its
// rows, each row's children its cells, every one named as the core names it. Moving the
// current cell raises the focus event for the cell's id, which the table answers too.

#include <memory>
#include <oleacc.h>
#include <windows.h>

namespace mv::win {

class RaceCardGrid;

// The grid the objects describe; the grid clears it when it goes, and an object a reader
// still holds then answers that it is gone.
struct GridLink {
    const RaceCardGrid* grid = nullptr;
    HWND window = nullptr;
};

// The table object, with one reference for the caller.
IAccessible* NewGridAccessible(std::shared_ptr<GridLink> link);

// The child id, in the table object, of the cell at row 0..18 and column 0..10: what the
// focus event names.
LONG CellChildId(int row, int column);

} // namespace mv::win
