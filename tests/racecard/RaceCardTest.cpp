#include "racecard/RaceCard.h"

#include "app/MainForm.h"
#include "app/RaceLoad.h"
#include "platform/Codec.h"
#include "racecard/RaceFolder.h"
#include "racecard/RunnerRows.h"
#include "settings/SettingsFile.h"
#include "support/ParamName.h"
#include "support/ScriptedUi.h"
#include "tools/SampleFolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <tuple>

namespace mv {
namespace {

using sample::Kind;

std::string Blanks(std::size_t n) {
    return std::string(n, ' ');
}

std::string Repeat(const std::string& text, std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        out += text;
    }
    return out;
}

// The runner stages and the caches, as the race load starts.
void WriteCaches(MainFormState& state) {
    RaceCardRows rows = ReadRunnerFiles(state);
    WriteRaceCardCaches(state, RankRunners(MergeRunnerRows(rows)));
}

// ---- Both caches of a generated race, against lines built here from the generator's
// inputs by the cache line layout: bracket, horse number, 10 bytes of win odds and rank,
// 12 of place odds, name 18, body weight 3, change 4, apprentice mark 3, jockey 18, weight
// carried 4, remarks 20, slot number 2.

struct ExpectedLine {
    int group; // 0 ranked, 1 scratched, 2 win odds below 1.0, 3 no odds
    std::string oddsKey, head, win, place, tail;
    int slot;
};

// Body-weight sign codes and apprentice codes as the race card shows them (UTF-8).
const std::map<std::string, std::string> Signs{{"3", "± 0"}, {"7", " 初 "}, {" ", "    "}};
const std::map<std::string, std::string> Marks{
    {"10", " ☆"}, {"20", " △"}, {"30", " ▲"}, {"00", " 　"}, {"  ", " 　"}};

std::string ChangeText(const sample::BodyWeightRunner& w, const std::string& pn) {
    const std::string sign = sample::Padded(w.sign, 1);
    if (sign == "1" || sign == "2") {
        return (sign == "1" ? Sjis("＋") : pn) + sample::Padded(w.change, 2);
    }
    return Signs.contains(sign) ? Sjis(Signs.at(sign)) : Blanks(4);
}

std::string MarkText(const std::string& code) {
    return Marks.contains(code) ? Sjis(Marks.at(code)) : Blanks(3);
}

ExpectedLine Expected(const sample::SampleRace& race, std::size_t i, const std::string& pn) {
    const sample::RaceCardRunner& c = race.raceCard->runners[i];
    const sample::BodyWeightRunner& w = race.bodyWeights->runners[i];
    const sample::WinPlaceOdds& o = race.winPlace->runners[i];
    const std::string win = sample::Padded(o.win, 5);
    const std::string place =
        " " + sample::Padded(o.placeLow, 5) + "-" + sample::Padded(o.placeHigh, 5);
    const bool scratched = c.status == "9" || w.status == "9" || win.substr(1) == Sjis("ﾄﾘｹｼ");
    const std::string remarks = scratched         ? Sjis("●出走取消") + Blanks(10)
                                : c.status == "8" ? Sjis("●騎手／負担重量変更")
                                                  : Blanks(20);
    ExpectedLine e;
    e.slot = static_cast<int>(i) + 1;
    e.head = sample::Padded(c.bracket, 1) + sample::Padded(o.horseNo, 2);
    e.tail = sample::Padded(c.horseName, 18) + sample::Padded(w.weight, 3) + ChangeText(w, pn) +
             MarkText(sample::Padded(c.apprentice, 2)) + sample::Padded(c.jockey, 18) +
             sample::Padded(c.weightCarried, 4) + remarks + sample::NumberText(e.slot, 2);
    e.oddsKey = " " + win + place;
    if (scratched) {
        e.group = 1;
        e.win = Sjis("* ﾄﾘｹｼ") + Blanks(4);
        e.place = Sjis("**ﾄﾘｹｼ**ﾄﾘｹｼ");
    } else if (win == Blanks(5)) {
        e.group = 3;
        e.win = std::string(6, '*') + Blanks(4);
        e.place = std::string(12, '*');
    } else if (std::stod(win) < 1.0) {
        e.group = 2;
        e.win = "*#" + win.substr(1) + Blanks(4);
        e.place = place;
    } else {
        e.group = 0;
        e.win = " " + win; // the rank follows once the order is known
        e.place = place;
    }
    return e;
}

std::string CacheBytes(const std::vector<ExpectedLine>& lines) {
    std::string bytes;
    for (const ExpectedLine& e : lines) {
        bytes += e.head + e.win + e.place + e.tail + "\r\n";
    }
    return bytes;
}

struct SampleRaceRow {
    const char* name;
    int race;     // of the meeting in slot 1
    int oddGroup; // the group of the race's odd runner
};

class SampleRaceCaches : public testing::TestWithParam<SampleRaceRow> {};

TEST_P(SampleRaceCaches, HoldTheRaceInPopularityAndInSlotOrder) {
    const sample::SampleMeeting meeting = sample::SampleMeetings().front();
    const sample::SampleRace& race = meeting.races[static_cast<std::size_t>(GetParam().race - 1)];
    test::RaceFolder folder;
    sample::WriteSampleFolder(folder.pat.path());
    const sample::MeetingKeys& keys = meeting.keys;
    folder.state.meetings[1] = {keys.venueCode, "", keys.key1, keys.key2, keys.key3};
    folder.state.selection.CurVenue = keys.venueCode;
    folder.state.selection.CurRace = race.number;
    for (Kind kind : {Kind::De, Kind::Ut, Kind::Zo}) {
        folder.state.selection.RaceFiles[race.number][static_cast<int>(kind)] = 1;
    }

    std::vector<ExpectedLine> bySlot;
    for (std::size_t i = 0; i < 18; ++i) {
        bySlot.push_back(Expected(race, i, folder.state.settings.PN));
    }
    // Within a group the key texts decide, then bracket and horse number; in these texts byte
    // order is the display order (blank, ".", digits).
    std::vector<ExpectedLine> byRank = bySlot;
    std::sort(byRank.begin(), byRank.end(), [](const ExpectedLine& a, const ExpectedLine& b) {
        return std::tie(a.group, a.oddsKey, a.head, a.slot) <
               std::tie(b.group, b.oddsKey, b.head, b.slot);
    });
    for (std::size_t p = 0; p < byRank.size() && byRank[p].group == 0; ++p) {
        byRank[p].win += "[" + sample::NumberText(static_cast<long long>(p) + 1, 2) + "]";
        bySlot[static_cast<std::size_t>(byRank[p].slot - 1)].win = byRank[p].win;
    }

    ASSERT_TRUE(std::any_of(bySlot.begin(), bySlot.end(),
                            [](const ExpectedLine& e) { return e.group == GetParam().oddGroup; }));

    WriteCaches(folder.state);
    EXPECT_EQ(folder.program.Read("MvDESo.dat"), CacheBytes(byRank));
    EXPECT_EQ(folder.program.Read("MvDENo.dat"), CacheBytes(bySlot));
}

INSTANTIATE_TEST_SUITE_P(RaceCard, SampleRaceCaches,
                         testing::Values(SampleRaceRow{"ScratchedInBodyWeightsAndJockeyChange", 7,
                                                       1},
                                         SampleRaceRow{"OddsBelowOne", 11, 2},
                                         SampleRaceRow{"ScratchedInRaceCard", 3, 1}),
                         test::ByName());

// ---- The grid.

using GridRow = std::array<std::string, GridColumns>;

// Four runners: horse 1 the favourite, horse 2 scratched, horse 3 at odds below 1.0; slots
// 5 to 18 empty.
void WriteGridRace(test::RaceFolder& folder) {
    sample::RaceCardFile card = test::RaceCard(4);
    card.runners[0].horseName = Sjis("Abc ｱｲｳ");
    card.runners[1].status = "9";
    sample::WinPlaceBracketFile odds = test::WinPlace(4);
    odds.runners[2].win = "  0.5";
    folder.Write(Kind::De, sample::Line1(card));
    folder.Write(Kind::Ut, sample::Line1(test::BodyWeights(4)));
    folder.Write(Kind::Zo, sample::Line1(odds));
    WriteCaches(folder.state);
}

TEST(RaceCard, GridRowsWidenNarrowFieldsAndShowUnrankedOddsAsTexts) {
    test::RaceFolder folder;
    WriteGridRace(folder);
    ShowRaceCard(folder.state);
    const auto& grid = folder.state.window.DEGrid;
    const std::string wideBlank = Sjis("　");

    const GridRow favourite{Sjis("１"),
                            Sjis("　１"),
                            "   2.0[ 1]",
                            "   1.1-  2.1",
                            Sjis("Ａｂｃ　アイウ") + Repeat(wideBlank, 11),
                            Sjis("４８０"),
                            Sjis("＋ 4"),
                            Sjis(" 　"),
                            "JOCKEY1" + Blanks(11),
                            "57.0",
                            Blanks(20)};
    EXPECT_EQ(grid[1], favourite);
    EXPECT_EQ(grid[2][2], Sjis("  ﾄﾘｹｼ    "));
    EXPECT_EQ(grid[2][3], Sjis("  ﾄﾘｹｼ- ﾄﾘｹｼ"));
    EXPECT_EQ(grid[2][10], Sjis("●出走取消") + Blanks(10));
    EXPECT_EQ(grid[3][2], "   0.5    "); // below 1.0: no rank
    EXPECT_EQ(grid[3][3], "   1.3-  2.3");
    const GridRow empty{wideBlank,
                        Repeat(wideBlank, 2),
                        Blanks(10),
                        Blanks(12),
                        Repeat(wideBlank, 18),
                        Repeat(wideBlank, 3),
                        Blanks(4),
                        Sjis(" 　"),
                        Blanks(18),
                        Blanks(4),
                        Blanks(20)};
    EXPECT_EQ(grid[5], empty);
}

// A line shorter than the layout (a cut race card file) or longer (a sign of four bytes from a
// hand-edited settings file) has no slot number in its place; the normal cache must still hold
// every line whole.
TEST(RaceCard, TheNormalCacheKeepsLinesOfAnyLengthWhole) {
    test::RaceFolder folder;
    folder.state.settings.PN = Sjis("－－");
    sample::BodyWeightFile weights = test::BodyWeights(4);
    weights.runners[0].sign = "2";
    folder.Write(Kind::De, sample::Line1(test::RaceCard(4)).substr(0, 93 + 48 * 4));
    folder.Write(Kind::Ut, sample::Line1(weights));
    WriteCaches(folder.state);

    const Lines sorted = ReadLines(folder.program.File("MvDESo.dat"));
    const Lines normal = ReadLines(folder.program.File("MvDENo.dat"));
    ASSERT_EQ(sorted.size(), 18u);
    const auto horse1 = std::find_if(sorted.begin(), sorted.end(), [](const std::string& line) {
        return line.starts_with("1 1");
    });
    ASSERT_NE(horse1, sorted.end());
    EXPECT_EQ(test::Bytes(*horse1, 98, 99), " 1");
    EXPECT_TRUE(std::is_permutation(normal.begin(), normal.end(), sorted.begin(), sorted.end()));
}

TEST(RaceCard, AShortCacheFailsAndLeavesTheGridAsItWas) {
    test::RaceFolder folder;
    std::string seventeen;
    for (int i = 0; i < 17; ++i) {
        seventeen += Blanks(97) + "\r\n";
    }
    folder.program.Write("MvDENo.dat", seventeen);
    folder.state.window.DEGrid[1][4] = "previous";
    EXPECT_EQ(test::FailureOf([&] { ShowRaceCard(folder.state); }),
              Sjis("リストのインデックスが範囲を超えています (17)"));
    EXPECT_EQ(folder.state.window.DEGrid[1][4], "previous");
}

TEST(RaceCard, AnUnwritableCacheAbandonsTheRestOfTheLoad) {
    test::RaceFolder folder;
    folder.Write(Kind::De, sample::Line1(test::RaceCard(4)));
    std::filesystem::create_directory(folder.program.osPath() / "MvDESo.dat");

    EXPECT_EQ(test::FailureOf([&] { LoadRaceData(folder.state); }),
              Sjis("ファイル ") + folder.program.path() + Sjis("MvDESo.dat を作成できません"));
    EXPECT_FALSE(std::filesystem::exists(folder.program.osPath() / "MvDENo.dat"));
    EXPECT_EQ(folder.state.window.DEGrid[1][1], "");
}

// ---- Through the main window: a venue of a generated folder fills header and grid.

TEST(RaceCard, ChoosingAVenueShowsItsFirstRaceHeaderAndGridInEitherOrder) {
    test::TempFolder pat;
    test::TempFolder program;
    sample::WriteSampleFolder(pat.path());
    TSettings settings;
    settings.PN = Sjis("▲");
    settings.Tsort = "True";
    const auto iniPath = program.File("Q-MvRV98.ini");
    SaveSettings(iniPath, pat.path(), settings);
    test::ScriptedUi ui;
    TMainForm form(ui, iniPath, program.osPath());
    form.FormCreate();

    form.Check(VenueButton(1));
    const std::string distance =
        sample::SampleMeetings().front().races.front().raceCard->header.distance;
    const MainWindowModel& w = form.window();
    EXPECT_EQ(w.EditYMDR, Sjis("2024年05月05日 第2回 東京 6日目 第1Ｒ"));
    EXPECT_EQ(w.EditJikoku, Sjis("発走時刻  10:05"));
    EXPECT_EQ(w.EditKyori, distance);
    EXPECT_EQ(test::Bytes(w.DEGrid[1][2], 7, 10), "[ 1]");
    EXPECT_EQ(test::Bytes(w.DEGrid[2][2], 7, 10), "[ 2]");

    // The normal button shows the same rows in slot order.
    const auto sorted = w.DEGrid;
    form.Check(Radio::RBNorT);
    EXPECT_EQ(w.DEGrid[1][1], Sjis("　１"));
    EXPECT_EQ(w.DEGrid[2][1], Sjis("　２"));
    EXPECT_NE(w.DEGrid, sorted);
    EXPECT_TRUE(std::is_permutation(w.DEGrid.begin(), w.DEGrid.end(), sorted.begin()));
}

} // namespace
} // namespace mv
