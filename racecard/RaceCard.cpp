#include "racecard/RaceCard.h"

#include "common/Tables.h"
#include "platform/Codec.h"
#include "platform/Collation.h"
#include "platform/Fields.h"
#include "platform/FullWidth.h"

#include <array>

namespace mv {
namespace {

const std::string SortedCache = "MvDESo.dat";
const std::string NormalCache = "MvDENo.dat";

// A race card line as both caches hold it, and the grid column each field goes to. The
// narrow fields are widened to full width so that they line up with the kanji columns.
struct GridColumn {
    ByteSpan span;
    bool fullWidth;
};
constexpr std::array<GridColumn, GridColumns> RaceCardLine{{
    {{1, 1}, true},    // bracket
    {{2, 2}, true},    // horse number
    {{4, 10}, false},  // win odds and rank
    {{14, 12}, false}, // place odds
    {{26, 18}, true},  // horse name
    {{44, 3}, true},   // body weight
    {{47, 4}, false},  // weight change
    {{51, 3}, false},  // apprentice mark
    {{54, 18}, false}, // jockey
    {{72, 4}, false},  // weight carried
    {{76, 20}, false}, // remarks
}};
constexpr ByteSpan SlotNo{96, 2}; // not shown; orders the normal cache
constexpr std::size_t WinColumn = 2, PlaceColumn = 3;
// Within the win odds cell: what the key put first, and the odds of a "*#" key.
constexpr ByteSpan OddsMark{1, 2};
constexpr ByteSpan BelowOneOdds{3, 4};

using GridRow = std::array<std::string, GridColumns>;

// The unranked keys show as odds texts again: blanks for no odds, "ﾄﾘｹｼ" for a scratched
// runner, and odds below 1.0 where ranked odds stand but without a rank.
void AdjustOddsCells(GridRow& cells) {
    const std::string mark = Take(cells[WinColumn], OddsMark);
    if (mark == "* ") {
        cells[WinColumn] = Sjis("  ﾄﾘｹｼ    ");
        cells[PlaceColumn] = Sjis("  ﾄﾘｹｼ- ﾄﾘｹｼ");
    } else if (mark == "**") {
        cells[WinColumn] = std::string(10, ' ');
        cells[PlaceColumn] = std::string(12, ' ');
    } else if (mark == "*#") {
        cells[WinColumn] = "  " + Take(cells[WinColumn], BelowOneOdds) + "    ";
    }
}

GridRow CellsOf(const std::string& line) {
    GridRow cells;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const std::string text = Take(line, RaceCardLine[c].span);
        cells[c] = RaceCardLine[c].fullWidth ? ToFullWidth(text) : text;
    }
    AdjustOddsCells(cells);
    return cells;
}

} // namespace

void WriteRaceCardCaches(const MainFormState& state, const Lines& rankedLines) {
    WriteLines(state.CachePath(SortedCache), rankedLines);

    // Sorting by the slot number put in front gives slot order: " 1" … " 9" sort before "10".
    // A line cut short of its slot number gets blanks in front instead, so that exactly the
    // bytes put in front come off again and no line loses any of its own.
    Lines bySlot;
    for (const std::string& line : rankedLines) {
        std::string slot = Take(line, SlotNo);
        slot.resize(SlotNo.length, ' ');
        bySlot.push_back(slot + line);
    }
    SortRows(bySlot);
    for (std::string& line : bySlot) {
        line.erase(0, SlotNo.length);
    }
    WriteLines(state.CachePath(NormalCache), bySlot);
}

void ShowRaceCard(MainFormState& state) {
    const Lines lines =
        ReadLines(state.CachePath(state.settings.Tsort == "True" ? SortedCache : NormalCache));
    // All rows are built before any cell changes, so a short cache leaves the grid as it was.
    std::array<GridRow, Runners> rows;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        rows[r] = CellsOf(LineAt(lines, r));
    }
    for (std::size_t c = 0; c < GridColumns; ++c) {
        for (std::size_t r = 0; r < rows.size(); ++r) {
            state.window.DEGrid[r + 1][c] = rows[r][c];
        }
    }
}

} // namespace mv
