// The marks of odds that moved, decided on grids as the race load leaves them.

#include "app/OddsMoves.h"

#include "platform/Codec.h"
#include "support/ParamName.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

using Grid = decltype(MainWindowModel::DEGrid);

// One runner row as the grid shows it: horse number, win odds with rank, place odds.
struct RowCells {
    std::string horse;
    std::string win;
    std::string place;
};

Grid GridOf(const std::vector<RowCells>& rows) {
    Grid grid{};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        grid[r + 1][1] = rows[r].horse;
        grid[r + 1][2] = rows[r].win;
        grid[r + 1][3] = rows[r].place;
    }
    return grid;
}

const std::string One = Sjis("１"), Two = Sjis("２");
const std::string Scratched = Sjis("  ﾄﾘｹｼ    "), ScratchedPlace = Sjis("  ﾄﾘｹｼ- ﾄﾘｹｼ");

struct MoveCase {
    const char* name;
    RowCells before, after;
    OddsMove win, place;
    const char* winTip; // UTF-8; "" for none
};

class Marks : public testing::TestWithParam<MoveCase> {};

TEST_P(Marks, SayHowEachCellMovedSinceTheRaceWasLastShown) {
    const MoveCase& c = GetParam();
    OddsMoves moves;
    moves.Shown(1, 3, GridOf({c.before, {Two, "   5.0[ 2]", "  1.5-  2.0"}}), "15:40:05");
    moves.Shown(1, 3, GridOf({c.after, {Two, "   5.0[ 2]", "  1.5-  2.0"}}), "15:42:05");
    MainWindowModel window;
    window.DEGrid = GridOf({c.after, {Two, "   5.0[ 2]", "  1.5-  2.0"}});
    moves.Paint(window);

    EXPECT_EQ(window.DEGridMarks[1][2].move, c.win);
    EXPECT_EQ(window.DEGridMarks[1][3].move, c.place);
    EXPECT_EQ(window.DEGridMarks[1][2].tip, Sjis(c.winTip));
    EXPECT_EQ(window.DEGridMarks[2][2], CellMark{}) << "an unchanged runner";
    for (std::size_t c2 : {0u, 1u, 4u}) {
        EXPECT_EQ(window.DEGridMarks[1][c2], CellMark{}) << "only odds cells are marked";
    }
}

INSTANTIATE_TEST_SUITE_P(OddsMoves, Marks,
                         testing::Values(MoveCase{"Fell",
                                                  {One, "  12.3[ 4]", "  2.1-  3.0"},
                                                  {One, "  10.1[ 3]", "  2.1-  3.0"},
                                                  OddsMove::Fell,
                                                  OddsMove::None,
                                                  "前回 12.3（15:40:05）→ 今回 10.1（15:42:05）"},
                                         MoveCase{"Rose",
                                                  {One, "   3.4[ 1]", "  1.2-  1.5"},
                                                  {One, "   3.9[ 1]", "  1.3-  1.5"},
                                                  OddsMove::Rose,
                                                  OddsMove::Rose,
                                                  "前回 3.4（15:40:05）→ 今回 3.9（15:42:05）"},
                                         MoveCase{"PlaceJudgedByItsLowerEnd",
                                                  {One, "   3.4[ 1]", "  1.2-  1.5"},
                                                  {One, "   3.4[ 1]", "  1.1-  1.9"},
                                                  OddsMove::None,
                                                  OddsMove::Fell,
                                                  ""},
                                         MoveCase{"PlaceUpperEndAloneIsNoMove",
                                                  {One, "   3.4[ 1]", "  1.2-  1.5"},
                                                  {One, "   3.4[ 1]", "  1.2-  1.9"},
                                                  OddsMove::None,
                                                  OddsMove::None,
                                                  ""},
                                         MoveCase{"ScratchedSinceIsNotMarked",
                                                  {One, "   3.4[ 1]", "  1.2-  1.5"},
                                                  {One, Scratched, ScratchedPlace},
                                                  OddsMove::None,
                                                  OddsMove::None,
                                                  ""},
                                         MoveCase{"OddsWhereThereWereNone",
                                                  {One, "          ", "            "},
                                                  {One, "   3.4[ 1]", "  1.2-  1.5"},
                                                  OddsMove::None,
                                                  OddsMove::None,
                                                  ""}),
                         test::ByName());

TEST(OddsMoves, TheFirstShowingMarksNothing) {
    OddsMoves moves;
    MainWindowModel window;
    window.DEGrid = GridOf({{One, "  12.3[ 4]", "  2.1-  3.0"}});
    moves.Shown(1, 3, window.DEGrid, "15:40:05");
    moves.Paint(window);
    EXPECT_EQ(window.DEGridMarks[1][2], CellMark{});
}

// The marks go when another race is shown, and a race keeps its own history: shown again
// later, it is compared with its own last showing.
TEST(OddsMoves, AnotherRaceShownTakesTheMarksAway) {
    OddsMoves moves;
    MainWindowModel window;
    const Grid first = GridOf({{One, "  12.3[ 4]", "  2.1-  3.0"}});
    const Grid moved = GridOf({{One, "  10.1[ 3]", "  2.1-  3.0"}});
    moves.Shown(1, 3, first, "15:40:05");
    moves.Shown(1, 3, moved, "15:42:05");
    moves.Shown(1, 4, first, "15:42:10");
    window.DEGrid = first;
    moves.Paint(window);
    EXPECT_EQ(window.DEGridMarks[1][2], CellMark{});

    moves.Shown(2, 3, first, "15:42:20");
    moves.Shown(1, 3, first, "15:43:00");
    moves.Paint(window);
    EXPECT_EQ(window.DEGridMarks[1][2].move, OddsMove::Rose) << "against its 10.1 of 15:42:05";
    EXPECT_EQ(window.DEGridMarks[1][2].tip, Sjis("前回 10.1（15:42:05）→ 今回 12.3（15:43:00）"));
}

// Showing the same odds again (a load run twice, a reload for another file) keeps the marks,
// and they follow their runners when the rows are put in another order.
TEST(OddsMoves, MarksStayWithTheSameOddsAndFollowTheirRunners) {
    OddsMoves moves;
    const Grid first = GridOf({{One, "  12.3[ 2]", "  2.1-  3.0"}, {Two, "   5.0[ 1]", ""}});
    const Grid moved = GridOf({{One, "  10.1[ 2]", "  2.1-  3.0"}, {Two, "   5.0[ 1]", ""}});
    moves.Shown(1, 3, first, "15:40:05");
    moves.Shown(1, 3, moved, "15:42:05");
    moves.Shown(1, 3, moved, "15:42:06");
    MainWindowModel window;
    window.DEGrid = GridOf({{Two, "   5.0[ 1]", ""}, {One, "  10.1[ 2]", "  2.1-  3.0"}});
    moves.Paint(window);
    EXPECT_EQ(window.DEGridMarks[1][2], CellMark{});
    EXPECT_EQ(window.DEGridMarks[2][2].move, OddsMove::Fell);
}

} // namespace
} // namespace mv
