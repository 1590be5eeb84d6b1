#pragma once

// The race card grid's current cell: where the arrow keys move it, and what a screen reader
// hears for a cell, a row and the grid. Both views keep the cell and ask here.

#include "common/MainWindowModel.h"

#include <optional>
#include <string>

namespace mv {

// Row 1..18 (the runner rows), column 0..10.
struct GridCell {
    int row = 1;
    int column = 0;
    bool operator==(const GridCell&) const = default;
};

enum class GridKey { Up, Down, Left, Right, Home, End, CtrlHome, CtrlEnd };

// Where a key moves the current cell; it stays at the grid's edges.
GridCell MovedCell(GridCell from, GridKey key);

// A cell as a screen reader names it: its column's header and its text, without the blanks
// that pad either ("馬名 ホシノフラッシュ"); the header alone for an empty cell and for a cell
// of the header row (row 0). Code page 932.
using GridTexts = decltype(MainWindowModel::DEGrid);
std::string CellName(const GridTexts& grid, GridCell cell);
// A row: its horse number and name ("馬番 ３ 馬名 ホシノフラッシュ"), or the header row's texts.
std::string RowName(const GridTexts& grid, int row);
// The grid itself.
std::string GridName();

} // namespace mv
