#include "app/GridCursor.h"

#include "app/Csv.h"
#include "platform/Codec.h"

#include <algorithm>

namespace mv {
namespace {

constexpr int HorseNumberColumn = 1;
constexpr int HorseNameColumn = 4;

const std::string& Cell(const GridTexts& grid, int row, int column) {
    return grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

} // namespace

GridCell MovedCell(GridCell from, GridKey key) {
    GridCell to = from;
    switch (key) {
    case GridKey::Up:
        --to.row;
        break;
    case GridKey::Down:
        ++to.row;
        break;
    case GridKey::Left:
        --to.column;
        break;
    case GridKey::Right:
        ++to.column;
        break;
    case GridKey::Home:
        to.column = 0;
        break;
    case GridKey::End:
        to.column = GridColumns - 1;
        break;
    case GridKey::CtrlHome:
        to = {1, 0};
        break;
    case GridKey::CtrlEnd:
        to = {GridRows - 1, GridColumns - 1};
        break;
    }
    to.row = std::clamp(to.row, 1, GridRows - 1);
    to.column = std::clamp(to.column, 0, GridColumns - 1);
    return to;
}

std::string CellName(const GridTexts& w, GridCell cell) {
    const std::string header(Trimmed(Cell(w, 0, cell.column)));
    const std::string_view text = Trimmed(Cell(w, cell.row, cell.column));
    return cell.row == 0 || text.empty() ? header : header + " " + std::string(text);
}

std::string RowName(const GridTexts& w, int row) {
    if (row == 0) {
        std::string names;
        for (int c = 0; c < GridColumns; ++c) {
            names += (c == 0 ? "" : " ") + std::string(Trimmed(Cell(w, 0, c)));
        }
        return names;
    }
    return CellName(w, {row, HorseNumberColumn}) + " " + CellName(w, {row, HorseNameColumn});
}

std::string GridName() {
    return Sjis("出馬表");
}

} // namespace mv
