// The main window's keys on the sample folder: what each stroke does on the window as it
// stands, run as the click it stands for.

#include "app/Keys.h"

#include "app/ContextMenu.h"
#include "app/FocusOrder.h"
#include "app/GridCursor.h"
#include "common/Tables.h"
#include "platform/Codec.h"
#include "support/ParamName.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "tools/SampleFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace mv {
namespace {

class MainWindowKeysTest : public testing::Test {
protected:
    test::TempFolder pat;
    test::TempFolder program;
    test::ScriptedUi ui;
    std::unique_ptr<TMainForm> form;

    void SetUp() override {
        sample::WriteSampleFolder(pat.path());
        WriteSettings("false");
        form = std::make_unique<TMainForm>(ui, program.File("Q-MvRV98.ini"), program.osPath());
        form->FormCreate();
    }
    void WriteSettings(const std::string& raceCardSort) {
        program.Write("Q-MvRV98.ini", "[Dir]\r\nPatDir=" + pat.path() +
                                          "\r\n[Options]\r\nTsort=" + raceCardSort +
                                          "\r\nWsort=false\r\nUsort=false\r\nKsort=false\r\n");
    }
    // Presses a stroke as a view does: the window's action, run when it has one.
    bool Press(KeyStroke stroke, const FocusedControl& focus = {}) {
        const auto action = KeyAction(*form, stroke);
        if (action && *action) {
            (*action)(*form, focus);
        }
        return action.has_value();
    }
    int ShownRace() const { return form->state().selection.CurRace; }
};

struct RaceKeyCase {
    const char* name;
    int from;
    std::set<int> withoutFiles; // races whose files are removed before the venue is chosen
    Key key;
    int to;
    bool runs; // false: the window takes the key and nothing happens
};

class RaceKeys : public MainWindowKeysTest, public testing::WithParamInterface<RaceKeyCase> {};

TEST_P(RaceKeys, GoToTheNextShownRaceButtonAndStopAtEitherEnd) {
    const RaceKeyCase& c = GetParam();
    form->Check(VenueButton(1));
    for (int race : c.withoutFiles) {
        for (int kind = 1; kind <= FileKinds; ++kind) {
            std::filesystem::remove(ToOsPath(form->state().DataFilePath(kind, race)));
        }
    }
    form->UpDateClick();
    form->Check(RaceButton(c.from));
    ASSERT_EQ(ShownRace(), c.from);
    const auto action = KeyAction(*form, {c.key});
    ASSERT_TRUE(action.has_value()) << "the window takes the key";
    EXPECT_EQ(static_cast<bool>(*action), c.runs);
    if (*action) {
        (*action)(*form, FocusedControl{});
    }
    EXPECT_EQ(ShownRace(), c.to);
    EXPECT_TRUE(form->window().radio(RaceButton(c.to)).checked);
    EXPECT_TRUE(ui.Errors().empty());
}

INSTANTIATE_TEST_SUITE_P(
    MainWindowKeys, RaceKeys,
    testing::Values(RaceKeyCase{"next", 3, {}, Key::PageDown, 4, true},
                    RaceKeyCase{"previous", 3, {}, Key::PageUp, 2, true},
                    RaceKeyCase{"next_skips_a_hidden_button", 3, {4, 5}, Key::PageDown, 6, true},
                    RaceKeyCase{"previous_skips_a_hidden_button", 5, {4}, Key::PageUp, 3, true},
                    RaceKeyCase{"nothing_after_the_last", 12, {}, Key::PageDown, 12, false},
                    RaceKeyCase{
                        "nothing_after_the_last_shown", 10, {11, 12}, Key::PageDown, 10, false},
                    RaceKeyCase{"nothing_before_the_first", 1, {}, Key::PageUp, 1, false}),
    test::ByName());

TEST_F(MainWindowKeysTest, RaceKeysDoNothingBeforeAVenueIsChosen) {
    EXPECT_TRUE(Press({Key::PageDown}));
    EXPECT_TRUE(Press({Key::PageUp}));
    EXPECT_EQ(ShownRace(), 0);
}

TEST_F(MainWindowKeysTest, CtrlAndADigitChoosesTheVenueOfThatSlotWhenItsButtonShows) {
    const auto meetings = sample::SampleMeetings();
    std::set<int> slots;
    for (const auto& m : meetings) {
        slots.insert(m.slot);
    }
    ASSERT_LT(slots.size(), 6u) << "the sample leaves a slot without a meeting";
    for (int slot = 6; slot >= 1; --slot) {
        const Key digit = static_cast<Key>(static_cast<int>(Key::Digit1) + slot - 1);
        const auto action = KeyAction(*form, {digit, true});
        ASSERT_TRUE(action.has_value());
        EXPECT_EQ(static_cast<bool>(*action), slots.contains(slot)) << "slot " << slot;
        if (*action) {
            (*action)(*form, FocusedControl{});
            EXPECT_EQ(form->state().selection.CurSlot, slot);
            EXPECT_TRUE(form->window().radio(VenueButton(slot)).checked);
        }
    }
    // Without Ctrl a digit stays with the focused control.
    EXPECT_FALSE(KeyAction(*form, {Key::Digit1}).has_value());
}

TEST_F(MainWindowKeysTest, F5RefreshesAsItsButtonDoesReadingTheSettingsAgain) {
    form->Check(VenueButton(1));
    form->Check(RaceButton(2));
    ASSERT_TRUE(form->window().radio(Radio::RBNorT).checked);
    WriteSettings("True");
    EXPECT_TRUE(Press({Key::F5}));
    EXPECT_TRUE(form->window().radio(Radio::RBSortT).checked);
    EXPECT_EQ(ShownRace(), 2);
}

TEST_F(MainWindowKeysTest, F1ListsTheKeysInAMessageOfItsOwn) {
    EXPECT_TRUE(Press({Key::F1}));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].kind, test::ScriptedUi::Shown::Kind::Message);
    EXPECT_EQ(ui.shown[0].text, KeysHelpText());
    for (const char* key : {"F5", "PageDown", "PageUp", "Ctrl+1", "Ctrl+C", "Shift+F10", "F1"}) {
        EXPECT_NE(ui.shown[0].text.find(key), std::string::npos) << key;
    }
}

TEST_F(MainWindowKeysTest, EscapeIsTakenAndDoesNothing) {
    form->Check(VenueButton(1));
    const MainWindowModel before = form->window();
    const auto action = KeyAction(*form, {Key::Escape});
    ASSERT_TRUE(action.has_value());
    EXPECT_FALSE(static_cast<bool>(*action));
    EXPECT_EQ(form->window(), before);
    EXPECT_FALSE(ui.endRequested);
}

// The views bind exactly the strokes the window takes.
TEST_F(MainWindowKeysTest, EveryBoundStrokeIsTheWindowsAndNoOther) {
    for (int k = 0; k <= static_cast<int>(Key::C); ++k) {
        for (bool ctrl : {false, true}) {
            const KeyStroke stroke{static_cast<Key>(k), ctrl};
            const bool bound = std::find(MainWindowKeys().begin(), MainWindowKeys().end(),
                                         stroke) != MainWindowKeys().end();
            EXPECT_EQ(KeyAction(*form, stroke).has_value(), bound)
                << "key " << k << (ctrl ? " with Ctrl" : "");
        }
    }
}

// Ctrl+C by the focused control: the race card from the grid, a memo's selection or all its
// lines, nothing from any other control (the clipboard keeps what it had).
TEST_F(MainWindowKeysTest, CtrlCCopiesWhatTheFocusedControlShows) {
    form->Check(VenueButton(1));
    form->Check(RaceButton(3));
    const MainWindowModel& w = form->window();
    std::string quinella;
    for (const std::string_view line : w.MemoOdds2) {
        quinella += line;
        quinella += "\r\n";
    }
    struct Case {
        FocusedControl focus;
        std::optional<std::string> copied;
    };
    const Case cases[] = {
        {{"DEGrid", std::nullopt}, RaceCardText(w)},
        {{"MemoOdds2", std::nullopt}, quinella},
        {{"MemoOdds2", std::string()}, quinella},
        {{"MemoOdds2", std::string(w.MemoOdds2[1].substr(0, 5))},
         std::string(w.MemoOdds2[1].substr(0, 5))},
        {{"UpDate", std::nullopt}, std::nullopt},
        {{"", std::nullopt}, std::nullopt},
    };
    for (const Case& c : cases) {
        ui.clipboard.reset();
        EXPECT_TRUE(Press({Key::C, true}, c.focus));
        EXPECT_EQ(ui.clipboard, c.copied) << c.focus.name;
    }
}

// Each line of the copied race card is a grid row as shown: its cells without trailing blanks,
// the header row first, and only the rows that show a runner.
TEST_F(MainWindowKeysTest, TheRaceCardIsCopiedCellByCellAsShown) {
    form->Check(VenueButton(1));
    form->Check(RaceButton(3));
    const MainWindowModel& w = form->window();
    const std::string text = RaceCardText(w);
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos) << "every line ends with CR LF";
        std::vector<std::string> cells;
        std::size_t from = start;
        for (std::size_t tab; (tab = text.find('\t', from)) < end; from = tab + 1) {
            cells.push_back(text.substr(from, tab - from));
        }
        cells.push_back(text.substr(from, end - from));
        rows.push_back(cells);
        start = end + 2;
    }
    const int runners = std::stoi(w.EditTousuu.empty() ? "0" : w.EditTousuu);
    ASSERT_GT(runners, 0);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(runners) + 1);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), static_cast<std::size_t>(GridColumns));
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            // Without the blanks and full-width spaces that pad it.
            std::string cell = w.DEGrid[r][c];
            while (!cell.empty() &&
                   (cell.back() == ' ' ||
                    (cell.size() >= 2 && cell.substr(cell.size() - 2) == "\x81\x40"))) {
                cell.resize(cell.size() - (cell.back() == ' ' ? 1 : 2));
            }
            EXPECT_EQ(rows[r][c], cell) << "row " << r << " column " << c;
        }
    }
}

// The context menu's "コピー" copies what Ctrl+C copies, and is greyed where that is nothing;
// "CSVで保存..." follows it.
TEST_F(MainWindowKeysTest, TheContextMenuCopiesAsCtrlCDoes) {
    form->Check(VenueButton(1));
    form->Check(RaceButton(3));
    for (const char* name : {"DEGrid", "MemoOdds1", "MemoSeiseki", "UpDate", ""}) {
        const FocusedControl focused{name, std::nullopt};
        const auto items = ContextMenuOf(*form, focused);
        ASSERT_EQ(items.size(), 3u);
        EXPECT_EQ(items[0].caption, Sjis("自動更新"));
        EXPECT_EQ(items[1].caption, Sjis("コピー"));
        EXPECT_EQ(items[2].caption, Sjis("CSVで保存..."));
        EXPECT_TRUE(items[2].enabled);
        const auto copied = CopiedText(form->window(), focused);
        EXPECT_EQ(items[1].enabled, copied.has_value()) << name;
        ui.clipboard.reset();
        items[1].run(*form, focused);
        EXPECT_EQ(ui.clipboard, copied) << name;
    }
}

struct GridMoveCase {
    const char* name;
    GridCell from;
    GridKey key;
    GridCell to;
};

class GridMoves : public testing::TestWithParam<GridMoveCase> {};

// The arrow keys move the current cell one step and stop at the grid's edges; Home and End go
// to the row's ends, with Ctrl to the grid's first and last cell. The header row is never
// current.
TEST_P(GridMoves, MoveTheCurrentCellWithinTheRunnerRows) {
    const GridMoveCase& c = GetParam();
    EXPECT_EQ(MovedCell(c.from, c.key), c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Grid, GridMoves,
    testing::Values(GridMoveCase{"Down", {1, 4}, GridKey::Down, {2, 4}},
                    GridMoveCase{"UpStopsBelowTheHeader", {1, 4}, GridKey::Up, {1, 4}},
                    GridMoveCase{"DownStopsAtTheLastRow", {18, 0}, GridKey::Down, {18, 0}},
                    GridMoveCase{"Right", {3, 9}, GridKey::Right, {3, 10}},
                    GridMoveCase{"RightStopsAtTheLastColumn", {3, 10}, GridKey::Right, {3, 10}},
                    GridMoveCase{"LeftStopsAtTheFirstColumn", {3, 0}, GridKey::Left, {3, 0}},
                    GridMoveCase{"Home", {7, 6}, GridKey::Home, {7, 0}},
                    GridMoveCase{"End", {7, 6}, GridKey::End, {7, 10}},
                    GridMoveCase{"CtrlHome", {7, 6}, GridKey::CtrlHome, {1, 0}},
                    GridMoveCase{"CtrlEnd", {7, 6}, GridKey::CtrlEnd, {18, 10}}),
    test::ByName());

// A screen reader hears a cell by its column's header and its text, blanks removed; a row by
// its horse number and name.
TEST_F(MainWindowKeysTest, CellsAreNamedByTheirColumnAndText) {
    form->Check(VenueButton(1));
    form->Check(RaceButton(3));
    auto grid = form->window().DEGrid;
    grid[2][4] = Sjis("ホシノフラッシュ　　　");
    grid[2][1] = Sjis("　３");
    grid[2][6] = "    ";
    EXPECT_EQ(CellName(grid, {2, 4}), Sjis("馬名 ホシノフラッシュ"));
    EXPECT_EQ(CellName(grid, {2, 1}), Sjis("馬番 ３"));
    EXPECT_EQ(CellName(grid, {2, 6}), Sjis("増減"));
    EXPECT_EQ(CellName(grid, {0, 2}), Sjis("単勝[人気]")) << "a header cell is its column's name";
    EXPECT_EQ(RowName(grid, 2), Sjis("馬番 ３ 馬名 ホシノフラッシュ"));
    EXPECT_EQ(RowName(grid, 0),
              Sjis("枠 馬番 単勝[人気] 複勝 馬名 馬体重 増減 見習 騎手名 重量 記事"));
}

struct FocusCase {
    const char* name;
    bool raceShown;             // venue 1 and its race 3 chosen
    std::set<int> withoutFiles; // races whose files are removed before the venue is chosen
    const char* from;
    FocusMove move;
    std::optional<std::string> to; // nothing: the move is not the window's
    std::optional<Radio> checked = std::nullopt;
};

class FocusMoves : public MainWindowKeysTest, public testing::WithParamInterface<FocusCase> {};

// Tab goes through the groups in reading order, a radio group being one stop at its checked
// button (or its first shown one) and hidden controls skipped; the arrow keys go round a radio
// group's shown buttons and check the one they reach.
TEST_P(FocusMoves, FollowTheReadingOrderAndTheRadioGroups) {
    const FocusCase& c = GetParam();
    if (c.raceShown) {
        form->Check(VenueButton(1));
        for (int race : c.withoutFiles) {
            for (int kind = 1; kind <= FileKinds; ++kind) {
                std::filesystem::remove(ToOsPath(form->state().DataFilePath(kind, race)));
            }
        }
        form->UpDateClick();
        form->Check(RaceButton(3));
    }
    const auto step = MoveFocus(form->window(), c.from, c.move);
    ASSERT_EQ(step.has_value(), c.to.has_value());
    if (step) {
        EXPECT_EQ(step->control, *c.to);
        EXPECT_EQ(step->check, c.checked);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Focus, FocusMoves,
    testing::Values(
        FocusCase{"FirstStopIsTheFirstShownVenue", false, {}, "", FocusMove::Next, "RBkaisai1"},
        FocusCase{"HiddenRaceButtonsAreSkipped",
                  false,
                  {},
                  "RBkaisai1",
                  FocusMove::Next,
                  "ButtonSetting"},
        FocusCase{"ARadioGroupIsOneStopAtItsCheckedButton",
                  true,
                  {},
                  "RBkaisai1",
                  FocusMove::Next,
                  "RBR03"},
        FocusCase{"BackFromSettingsToTheCheckedRace",
                  true,
                  {},
                  "ButtonSetting",
                  FocusMove::Previous,
                  "RBR03"},
        FocusCase{"ExitToTheRaceCardOrder", true, {}, "ButtonEND", FocusMove::Next, "RBNorT"},
        FocusCase{"OrderPairsThenTheGrid", true, {}, "RBNor3", FocusMove::Next, "DEGrid"},
        FocusCase{"GridToTheFirstMemo", true, {}, "DEGrid", FocusMove::Next, "MemoOdds1"},
        FocusCase{"RoundFromTheLastMemo", true, {}, "MemoSeiseki", FocusMove::Next, "RBkaisai1"},
        FocusCase{"ShiftTabFromNothingGoesLast", false, {}, "", FocusMove::Previous, "MemoSeiseki"},
        FocusCase{"AnEditIsBeforeTheFirstStop", true, {}, "EditYMDR", FocusMove::Next, "RBkaisai1"},
        FocusCase{"ArrowChecksTheNextRace",
                  true,
                  {},
                  "RBR03",
                  FocusMove::GroupNext,
                  "RBR04",
                  RaceButton(4)},
        FocusCase{"ArrowSkipsHiddenRaces",
                  true,
                  {4, 5},
                  "RBR03",
                  FocusMove::GroupNext,
                  "RBR06",
                  RaceButton(6)},
        FocusCase{"ArrowGoesRoundTheGroup",
                  true,
                  {},
                  "RBR01",
                  FocusMove::GroupPrevious,
                  "RBR12",
                  RaceButton(12)},
        FocusCase{"ArrowBetweenAnOrderPair",
                  true,
                  {},
                  "RBNor1",
                  FocusMove::GroupPrevious,
                  "RBSort1",
                  Radio::RBSort1},
        FocusCase{"ArrowOutsideARadioGroupIsTheControls",
                  true,
                  {},
                  "DEGrid",
                  FocusMove::GroupNext,
                  std::nullopt}),
    test::ByName());

} // namespace
} // namespace mv
