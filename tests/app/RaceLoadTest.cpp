// The race load as the window runs it on the sample folder: where each stage's failure ends it,
// which panel each sort and normal button shows from which cache, and a failure in the race
// change that a venue click runs inside itself.

#include "app/MainForm.h"
#include "odds/OddsPanels.h"
#include "platform/Codec.h"
#include "platform/Dispatch.h"
#include "platform/TextFile.h"
#include "racecard/RaceCard.h"
#include "support/CacheFiles.h"
#include "support/PanelChecks.h"
#include "support/ParamName.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "tools/SampleFolder.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace mv {
namespace {

using sample::Kind;
using Shown = test::ScriptedUi::Shown;
using Caches = std::map<std::string, std::string>;

// The caches in the order the race load writes them, two per stage.
using test::CacheNames;

// The sample folder and a program folder whose settings show every table in file order.
class RaceLoad : public testing::Test {
public:
    test::TempFolder pat;
    test::TempFolder program;
    test::ScriptedUi ui;
    const std::vector<sample::SampleMeeting> meetings = sample::SampleMeetings();

    void SetUp() override {
        sample::WriteSampleFolder(pat.path());
        program.Write("Q-MvRV98.ini", "[Dir]\r\nPatDir=" + pat.path() +
                                          "\r\n[Options]\r\nTsort=false\r\nWsort=false\r\n"
                                          "Usort=false\r\nKsort=false\r\nUS=1\r\n");
    }

    std::unique_ptr<TMainForm> Form(const std::filesystem::path& cacheFolder) {
        auto form = std::make_unique<TMainForm>(ui, program.File("Q-MvRV98.ini"), cacheFolder);
        form->FormCreate();
        return form;
    }
    const sample::SampleRace& Race(std::size_t meeting, int race) const {
        return meetings[meeting].races[static_cast<std::size_t>(race - 1)];
    }
    void Rewrite(std::size_t meeting, Kind kind, int race, const std::string& line) {
        sample::WriteDataFile(pat.path(), sample::DataFileName(kind, meetings[meeting].keys, race),
                              line);
    }
    Caches CachesIn(const std::filesystem::path& folder) const {
        Caches bytes;
        for (const char* name : CacheNames) {
            bytes[name] = test::ReadFile(folder / name);
        }
        return bytes;
    }
};

// The first odds entry of a race that is neither blank nor cancelled.
template <typename Entries, typename Field>
std::size_t FirstPlainEntry(const Entries& entries, Field field) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& text = entries[i].*field;
        if (text.find_first_not_of(' ') != std::string::npos && text.find('.') != text.npos) {
            return i;
        }
    }
    throw std::runtime_error("no plain odds entry");
}

struct StageCase {
    const char* name;
    int failingStage; // 0 runner rows, 1 race card caches, 2 bracket quinella, 3 quinella,
                      // 4 wide (the results file is read by the header before any of them)
    std::function<void(RaceLoad&, const sample::SampleRace&)> spoil;
};

class RaceLoadStage : public RaceLoad, public testing::WithParamInterface<StageCase> {};

// A failure in a stage ends the race load there: the caches of the stages before it hold the
// new race, those of the stage and after it the race shown before, and no panel is shown.
TEST_P(RaceLoadStage, FailureEndsTheLoadAtItsStage) {
    std::filesystem::create_directory(program.osPath() / "reference");
    const auto reference = Form(program.osPath() / "reference");
    reference->Check(VenueButton(1));
    reference->Check(RaceButton(2));
    const Caches race2 = CachesIn(program.osPath() / "reference");

    const auto form = Form(program.osPath());
    ASSERT_TRUE(Dispatch(ui, [&] { form->Check(VenueButton(1)); }));
    const Caches race1 = CachesIn(program.osPath());
    for (const char* name : CacheNames) {
        ASSERT_NE(race1.at(name), race2.at(name)) << name << " tells the races apart";
    }
    GetParam().spoil(*this, Race(0, 2));

    EXPECT_FALSE(Dispatch(ui, [&] { form->Check(RaceButton(2)); }));

    EXPECT_EQ(ui.Errors().size(), 1u);
    const Caches after = CachesIn(program.osPath());
    for (std::size_t i = 0; i < std::size(CacheNames); ++i) {
        const int stage = 1 + static_cast<int>(i / 2);
        const Caches& expected = stage < GetParam().failingStage ? race2 : race1;
        EXPECT_EQ(after.at(CacheNames[i]), expected.at(CacheNames[i])) << CacheNames[i];
    }
    EXPECT_TRUE(form->window().MemoSeiseki.empty());
    test::ExpectNoPanelShown(form->window());
}

INSTANTIATE_TEST_SUITE_P(
    Stages, RaceLoadStage,
    testing::Values(
        StageCase{"RunnerRows", 0,
                  [](RaceLoad& fixture, const sample::SampleRace& spoiled) {
                      sample::WinPlaceBracketFile file = *spoiled.winPlace;
                      file.runners[FirstPlainEntry(file.runners, &sample::WinPlaceOdds::win)].win =
                          "  3x4";
                      fixture.Rewrite(0, Kind::Zo, 2, sample::Line1(file));
                  }},
        StageCase{
            "BracketQuinella", 2,
            [](RaceLoad& fixture, const sample::SampleRace& spoiled) {
                sample::WinPlaceBracketFile file = *spoiled.winPlace;
                file.brackets[FirstPlainEntry(file.brackets, &sample::BracketOdds::odds)].odds =
                    " 1x.5";
                fixture.Rewrite(0, Kind::Zo, 2, sample::Line1(file));
            }},
        StageCase{
            "Quinella", 3,
            [](RaceLoad& fixture, const sample::SampleRace& spoiled) {
                sample::QuinellaWideFile file = *spoiled.quinellaWide;
                file.combinations[FirstPlainEntry(file.combinations, &sample::PairOdds::quinella)]
                    .quinella = "  4x.6";
                fixture.Rewrite(0, Kind::Uo, 2, sample::Line1(file));
            }},
        StageCase{
            "Wide", 4,
            [](RaceLoad& fixture, const sample::SampleRace& spoiled) {
                sample::QuinellaWideFile file = *spoiled.quinellaWide;
                file.combinations[FirstPlainEntry(file.combinations, &sample::PairOdds::wideLow)]
                    .wideLow = "  4x.6";
                fixture.Rewrite(0, Kind::Uo, 2, sample::Line1(file));
            }}),
    test::ByName());

struct ButtonCase {
    const char* name;
    Radio sort;
    Radio normal;
    const char* sortedCache; // nullptr: the race card grid
    const char* normalCache;
    TextLines MainWindowModel::*memo;
};

class TableOrderButton : public RaceLoad, public testing::WithParamInterface<ButtonCase> {};

// Each pair of buttons shows its own table from its own caches and leaves the other three as
// they are.
TEST_P(TableOrderButton, ShowsItsOwnTableFromItsOwnCache) {
    const ButtonCase& c = GetParam();
    const auto form = Form(program.osPath());
    ASSERT_TRUE(Dispatch(ui, [&] { form->Check(VenueButton(1)); }));
    const MainWindowModel normal = form->window();

    for (const Radio button : {c.sort, c.normal}) {
        const bool sorted = button == c.sort;
        ASSERT_TRUE(Dispatch(ui, [&] { form->Check(button); }));
        MainWindowModel expected = normal;
        if (c.memo != nullptr) {
            expected.*c.memo =
                TextLines(ReadLines(program.File(sorted ? c.sortedCache : c.normalCache)));
            EXPECT_EQ(form->window().*c.memo, expected.*c.memo) << NameOf(button);
        } else {
            MainFormState reference = form->state();
            reference.settings.Tsort = sorted ? "True" : "false";
            ShowRaceCard(reference);
            expected.DEGrid = reference.window.DEGrid;
            EXPECT_EQ(sorted, form->window().DEGrid != normal.DEGrid) << NameOf(button);
        }
        EXPECT_EQ(form->window().DEGrid, expected.DEGrid) << NameOf(button);
        EXPECT_EQ(form->window().MemoOdds1, expected.MemoOdds1) << NameOf(button);
        EXPECT_EQ(form->window().MemoOdds2, expected.MemoOdds2) << NameOf(button);
        EXPECT_EQ(form->window().MemoOdds3, expected.MemoOdds3) << NameOf(button);
        EXPECT_EQ(form->window().MemoSeiseki, normal.MemoSeiseki) << NameOf(button);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, TableOrderButton,
    testing::Values(ButtonCase{"RaceCard", Radio::RBSortT, Radio::RBNorT, nullptr, nullptr,
                               nullptr},
                    ButtonCase{"BracketQuinella", Radio::RBSort1, Radio::RBNor1, "MvZOSo.dat",
                               "MvZONo.dat", &MainWindowModel::MemoOdds1},
                    ButtonCase{"Quinella", Radio::RBSort2, Radio::RBNor2, "MvUOSo.dat",
                               "MvUONo.dat", &MainWindowModel::MemoOdds2},
                    ButtonCase{"Wide", Radio::RBSort3, Radio::RBNor3, "MvKOSo.dat", "MvKONo.dat",
                               &MainWindowModel::MemoOdds3}),
    test::ByName());

// A venue whose races do not hold the race shown moves to another race inside the venue
// click. When that race's load fails, the whole venue click ends there: one failure box, the
// new race chosen and checked, what its load filled before the failure, nothing after it.
TEST_F(RaceLoad, FailureInTheRaceChangeOfAVenueClickEndsTheWholeClick) {
    const std::filesystem::path reference = program.osPath() / "reference";
    std::filesystem::create_directory(reference);
    const auto form = Form(program.osPath());
    ASSERT_TRUE(Dispatch(ui, [&] { form->Check(VenueButton(1)); }));
    ASSERT_TRUE(Dispatch(ui, [&] { form->Check(RaceButton(12)); }));
    // Kyoto (slot 2) without race 12: the venue click moves to race 11, whose bracket quinella
    // odds cannot be read.
    for (const Kind kind : {Kind::De, Kind::Ut, Kind::Zo, Kind::Uo, Kind::Ks}) {
        std::filesystem::remove(pat.osPath() / sample::DataFileName(kind, meetings[1].keys, 12));
    }
    const auto kyoto = Form(reference);
    ASSERT_TRUE(Dispatch(ui, [&] { kyoto->Check(VenueButton(2)); }));
    ASSERT_TRUE(Dispatch(ui, [&] { kyoto->Check(RaceButton(11)); }));
    sample::WinPlaceBracketFile file = *Race(1, 11).winPlace;
    file.brackets[FirstPlainEntry(file.brackets, &sample::BracketOdds::odds)].odds = " 1x.5";
    Rewrite(1, Kind::Zo, 11, sample::Line1(file));

    EXPECT_FALSE(Dispatch(ui, [&] { form->Check(VenueButton(2)); }));

    EXPECT_EQ(ui.Errors().size(), 1u) << "the venue's own race load did not run after it";
    const MainWindowModel& w = form->window();
    EXPECT_EQ(form->state().selection.CurSlot, 2);
    EXPECT_EQ(form->state().selection.CurRace, 11);
    EXPECT_TRUE(w.radio(RaceButton(11)).checked);
    EXPECT_FALSE(w.radio(RaceButton(12)).visible);
    EXPECT_EQ(w.EditTokubetu, kyoto->window().EditTokubetu) << "the race change's header";
    EXPECT_EQ(CachesIn(program.osPath()).at("MvDESo.dat"), CachesIn(reference).at("MvDESo.dat"))
        << "the race card caches of race 11 were written before the failure";
    EXPECT_TRUE(w.GBOdds2 == MainWindowModel().GBOdds2) << "no later stage ran";
    EXPECT_TRUE(w.MemoSeiseki.empty());
    test::ExpectNoPanelShown(w);
}

// A race click shows its panels from the bytes it has just written to the caches; shown again
// from the caches on the disk, every panel and every grid cell stays as it was, in file order and
// in sorted order, on every race of the sample.
TEST_F(RaceLoad, EveryRaceShowsWhatItsCachesHoldOnTheDisk) {
    for (const char* order : {"false", "True"}) {
        program.Write("Q-MvRV98.ini", "[Dir]\r\nPatDir=" + pat.path() + "\r\n[Options]\r\nTsort=" +
                                          order + "\r\nWsort=" + order + "\r\nUsort=" + order +
                                          "\r\nKsort=" + order + "\r\nUS=1\r\n");
        const auto form = Form(program.osPath());
        for (std::size_t m = 0; m < meetings.size(); ++m) {
            ASSERT_TRUE(Dispatch(ui, [&] { form->Check(VenueButton(static_cast<int>(m) + 1)); }));
            for (int race = 1; race <= static_cast<int>(meetings[m].races.size()); ++race) {
                ASSERT_TRUE(Dispatch(ui, [&] { form->Check(RaceButton(race)); }));
                const MainWindowModel shown = form->window();
                MainFormState& state = form->state();
                ShowRaceCard(state);
                ShowOdds1(state);
                ShowOdds2(state);
                ShowOdds3(state);
                const MainWindowModel& again = form->window();
                const std::string where =
                    order + (" meeting " + std::to_string(m)) + " race " + std::to_string(race);
                EXPECT_EQ(again.DEGrid, shown.DEGrid) << where;
                EXPECT_EQ(again.MemoOdds1, shown.MemoOdds1) << where;
                EXPECT_EQ(again.MemoOdds2, shown.MemoOdds2) << where;
                EXPECT_EQ(again.MemoOdds3, shown.MemoOdds3) << where;
            }
        }
    }
}

// What one race click read is forgotten with it: a data file rewritten between two clicks is
// read anew by the next click on its race.
TEST_F(RaceLoad, ARaceClickReadsTheFilesAsTheyAreThen) {
    const auto form = Form(program.osPath());
    ASSERT_TRUE(Dispatch(ui, [&] { form->Check(VenueButton(1)); }));
    ASSERT_TRUE(Dispatch(ui, [&] { form->Check(RaceButton(2)); }));
    sample::QuinellaWideFile file = *Race(0, 1).quinellaWide;
    file.oddsHours = "09";
    file.oddsMinutes = "59";
    Rewrite(0, Kind::Uo, 1, sample::Line1(file));
    ASSERT_TRUE(Dispatch(ui, [&] { form->Check(RaceButton(1)); }));
    EXPECT_EQ(form->window().GBOdds2, Sjis("馬番連勝 [09:59現在]"));
    EXPECT_EQ(form->window().GBOdds3, Sjis("ワイド [09:59現在]"));
}

} // namespace
} // namespace mv
