#include "app/MainForm.h"

#include "common/Tables.h"
#include "platform/Codec.h"
#include "platform/Dispatch.h"
#include "platform/Failure.h"
#include "settings/SettingsFile.h"
#include "support/ParamName.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "tools/SampleWriters.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <initializer_list>
#include <tuple>

namespace mv {
namespace {

using sample::Kind;
using Shown = test::ScriptedUi::Shown;

// A betting-software folder, a program folder with its settings file, and the main window.
class MainFormTest : public testing::Test {
protected:
    test::TempFolder pat;
    test::TempFolder program;
    test::ScriptedUi ui;
    std::filesystem::path iniPath = program.File("Q-MvRV98.ini");

    // A settings file as the dialog leaves it, with the set-up flag given.
    void WriteSettings(const std::string& us = "1", const std::string& tsort = "false") {
        program.Write("Q-MvRV98.ini", "[Dir]\r\nPatDir=" + pat.path() + "\r\n[Options]\r\nTsort=" +
                                          tsort + "\r\nUS=" + us + "\r\n");
    }

    void WriteMeeting(int slot, const std::string& venueCode, const std::string& key1 = "2",
                      const std::string& key2 = "06", const std::string& key3 = "01") {
        sample::MeetingIndexFile index{venueCode, key1, key2, key3};
        sample::WriteDataFile(pat.path(), sample::MeetingIndexName(slot), sample::Line1(index));
    }

    // A results file with a valid header for each race: enough to make the race available.
    void WriteRaces(const sample::MeetingKeys& keys, std::initializer_list<int> races) {
        for (int race : races) {
            sample::ResultsFile results;
            results.header.year = "2024";
            results.header.month = "05";
            results.header.day = "05";
            results.header.venueName = Sjis("東京");
            results.header.meetingNo = "02";
            results.header.meetingDay = "06";
            results.header.raceNo = sample::TwoDigits(race);
            sample::WriteDataFile(pat.path(), sample::DataFileName(Kind::Ks, keys, race),
                                  sample::Line1(results));
        }
    }

    TMainForm Created() {
        TMainForm form(ui, iniPath, program.osPath());
        form.FormCreate();
        return form;
    }
};

const sample::MeetingKeys Tokyo{5, 2, 6, 1};

TEST_F(MainFormTest, NoMeetingIndexHidesEveryVenueAndTheRaceGroup) {
    WriteSettings();
    const TMainForm form = Created();
    for (int slot = 1; slot <= 6; ++slot) {
        EXPECT_FALSE(form.window().radio(VenueButton(slot)).visible) << slot;
    }
    EXPECT_FALSE(form.window().GBRVisible);
    EXPECT_EQ(form.window().DEGrid[0][2], Sjis("単勝[人気]"));
    EXPECT_EQ(form.window().EditYMDR, Sjis("Q-Mv series 「Q-MvＲＣＶ98 Viewer」"));
}

TEST_F(MainFormTest, VenueCaptionsWithTheDayBeforeMarkInTheLastThreeSlots) {
    WriteSettings();
    WriteMeeting(2, "05");
    WriteMeeting(5, "10");
    std::filesystem::create_directory(pat.osPath() / "Uy-c.jra"); // a folder is no index
    const TMainForm form = Created();
    const MainWindowModel& w = form.window();
    EXPECT_FALSE(w.radio(Radio::RBkaisai1).visible);
    EXPECT_TRUE(w.radio(Radio::RBkaisai2).visible);
    EXPECT_EQ(w.radio(Radio::RBkaisai2).caption, Sjis("東京"));
    EXPECT_FALSE(w.radio(Radio::RBkaisai3).visible);
    EXPECT_TRUE(w.radio(Radio::RBkaisai5).visible);
    EXPECT_EQ(w.radio(Radio::RBkaisai5).caption, Sjis("小倉前日"));
    EXPECT_FALSE(w.radio(Radio::RBkaisai6).visible);
}

TEST_F(MainFormTest, KeysOfTheIndexNameTheDataFiles) {
    WriteSettings();
    WriteMeeting(1, "01", "3", "04", "02");
    TMainForm form = Created();
    const MeetingEntry& m = form.state().meetings[1];
    EXPECT_EQ((std::array{m.VenueCode, m.Key1, m.Key2, m.Key3}), (std::array{1, 3, 4, 2}));
    form.state().selection.CurSlot = 1;
    form.state().selection.CurVenue = 1;
    EXPECT_EQ(form.state().DataFilePath(KindDe, 12), pat.path() + "De-12c.jra");
    EXPECT_EQ(form.state().DataFilePath(KindUo, 12), pat.path() + "Uo-12c.jra");
    EXPECT_EQ(form.state().DataFilePath(KindKs, 12), pat.path() + "Ks-1342c.jra");
}

struct DiscoveryCase {
    const char* name;
    std::string line;    // line 1 of Uy-b.jra (slot 1 is well formed)
    const char* message; // UTF-8; empty when discovery succeeds
};

class DiscoveryFailure : public MainFormTest, public testing::WithParamInterface<DiscoveryCase> {};

// Line 1 of a meeting index: 58 filler bytes, the venue code, 3 bytes, then the three keys.
std::string IndexLine(const std::string& code, const std::string& keys) {
    return std::string(58, 'x') + code + "   " + keys;
}

TEST_P(DiscoveryFailure, StopsAtTheFailingSlotLeavingLaterSlotsVisibleAndEmpty) {
    WriteSettings();
    WriteMeeting(1, "08");
    pat.Write("Uy-b.jra", GetParam().line);
    WriteMeeting(4, "06");
    TMainForm form(ui, iniPath, program.osPath());
    Dispatch(ui, [&] { form.FormCreate(); });
    const MainWindowModel& w = form.window();
    EXPECT_EQ(w.radio(Radio::RBkaisai1).caption, Sjis("京都"));
    if (*GetParam().message == '\0') {
        EXPECT_TRUE(ui.shown.empty());
        EXPECT_EQ(w.radio(Radio::RBkaisai4).caption, Sjis("中山前日"));
        EXPECT_FALSE(w.radio(Radio::RBkaisai3).visible);
        return;
    }
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, Sjis(GetParam().message));
    for (int slot = 2; slot <= 6; ++slot) {
        EXPECT_TRUE(w.radio(VenueButton(slot)).visible) << slot;
        EXPECT_EQ(w.radio(VenueButton(slot)).caption, "") << slot;
    }
}

INSTANTIATE_TEST_SUITE_P(
    MainForm, DiscoveryFailure,
    testing::Values(
        DiscoveryCase{"blank_before_code_reads", IndexLine(" 5", "30402"), ""},
        DiscoveryCase{"blank_after_code_fails", IndexLine("5 ", "30402"),
                      "'5 ' は整数ではありません."},
        DiscoveryCase{"short_line_empty_code", std::string(50, 'x'), "'' は整数ではありません."},
        DiscoveryCase{"line_of_67_bytes_reads_one_byte_key", IndexLine("05", "3040"), ""},
        DiscoveryCase{"line_of_66_bytes_fails_on_empty_key", IndexLine("05", "304"),
                      "'' は整数ではありません."},
        DiscoveryCase{"empty_file", "", "リストのインデックスが範囲を超えています (0)"},
        DiscoveryCase{"later_lines_change_nothing", IndexLine("05", "30402") + "\r\nzz\r\n", ""}),
    test::ByName());

TEST_F(MainFormTest, FailingSlotKeepsTheFieldsStoredBeforeTheFailure) {
    WriteSettings();
    pat.Write("Uy-a.jra", IndexLine("05", "3zz02"));
    TMainForm form(ui, iniPath, program.osPath());
    Dispatch(ui, [&] { form.FormCreate(); });
    const MeetingEntry& m = form.state().meetings[1];
    EXPECT_EQ(m.VenueCode, 5);
    EXPECT_EQ(m.Caption, Sjis("東京"));
    EXPECT_EQ(m.Key1, 3);
    EXPECT_EQ(m.Key2, 0);
    EXPECT_EQ(form.window().radio(Radio::RBkaisai1).caption, "");
}

TEST_F(MainFormTest, VenueCodeOutsideTheTablesCountsAsNoMeeting) {
    WriteSettings();
    WriteMeeting(1, "11");
    WriteMeeting(2, "00");
    WriteMeeting(3, "05");
    const TMainForm form = Created();
    EXPECT_FALSE(form.window().radio(Radio::RBkaisai1).visible);
    EXPECT_FALSE(form.window().radio(Radio::RBkaisai2).visible);
    EXPECT_EQ(form.window().radio(Radio::RBkaisai3).caption, Sjis("東京"));
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(MainFormTest, FirstVenueShowsItsFirstRaceAndEverySortButton) {
    WriteSettings();
    WriteMeeting(1, "05");
    WriteRaces(Tokyo, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    TMainForm form = Created();
    form.Check(Radio::RBkaisai1);
    const MainWindowModel& w = form.window();
    EXPECT_EQ(form.state().selection.CurRace, 1);
    EXPECT_TRUE(w.radio(Radio::RBR01).checked);
    EXPECT_TRUE(w.GBRVisible);
    for (int i = static_cast<int>(Radio::RBR01); i < RadioCount; ++i) {
        EXPECT_TRUE(w.radios[static_cast<std::size_t>(i)].visible) << NameOf(static_cast<Radio>(i));
    }
    EXPECT_EQ(form.state().selection.RaceFiles[1][KindKs], 1);
    EXPECT_EQ(form.state().selection.RaceFiles[1][KindDe], 0);
}

// Each radio button runs the handler of its own name: the venue and race buttons choose their
// slot and race, each sort and normal button sets its own table's flag.
TEST_F(MainFormTest, EveryRadioButtonRunsTheHandlerOfItsName) {
    WriteSettings();
    WriteMeeting(1, "05");
    WriteRaces(Tokyo, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    TMainForm form = Created();
    for (int slot = 6; slot >= 1; --slot) {
        form.Check(VenueButton(slot));
        EXPECT_EQ(form.state().selection.CurSlot, slot) << NameOf(VenueButton(slot));
    }
    for (int race : {12, 1, 7, 2, 11, 3, 10, 4, 9, 5, 8, 6}) {
        form.Check(RaceButton(race));
        EXPECT_EQ(form.state().selection.CurRace, race) << NameOf(RaceButton(race));
    }
    struct Order {
        Radio button;
        std::string TSettings::*flag;
        const char* value;
    };
    const TSettings& s = form.state().settings;
    for (const Order& o : {Order{Radio::RBSortT, &TSettings::Tsort, "True"},
                           Order{Radio::RBSort1, &TSettings::Wsort, "True"},
                           Order{Radio::RBSort2, &TSettings::Usort, "True"},
                           Order{Radio::RBSort3, &TSettings::Ksort, "True"},
                           Order{Radio::RBNorT, &TSettings::Tsort, "false"},
                           Order{Radio::RBNor1, &TSettings::Wsort, "false"},
                           Order{Radio::RBNor2, &TSettings::Usort, "false"},
                           Order{Radio::RBNor3, &TSettings::Ksort, "false"}}) {
        const TSettings before = s;
        form.Check(o.button);
        TSettings expected = before;
        expected.*o.flag = o.value;
        EXPECT_EQ(std::tie(s.Tsort, s.Wsort, s.Usort, s.Ksort),
                  std::tie(expected.Tsort, expected.Wsort, expected.Usort, expected.Ksort))
            << NameOf(o.button);
    }
}

struct RaceChoiceCase {
    const char* name;
    int shownBefore;
    std::vector<int> available;
    int chosen;
};

class RaceChoice : public MainFormTest, public testing::WithParamInterface<RaceChoiceCase> {};

TEST_P(RaceChoice, KeepsTheRaceOrTakesTheNextAvailableOrTheLast) {
    WriteSettings();
    WriteMeeting(1, "05");
    for (int race : GetParam().available) {
        WriteRaces(Tokyo, {race});
    }
    TMainForm form = Created();
    form.state().selection.CurRace = GetParam().shownBefore;
    form.Check(Radio::RBkaisai1);
    EXPECT_EQ(form.state().selection.CurRace, GetParam().chosen);
    for (int race = 1; race <= 12; ++race) {
        const bool available = std::find(GetParam().available.begin(), GetParam().available.end(),
                                         race) != GetParam().available.end();
        EXPECT_EQ(form.window().radio(RaceButton(race)).visible, available) << race;
        EXPECT_EQ(form.window().radio(RaceButton(race)).checked, race == GetParam().chosen);
    }
}

INSTANTIATE_TEST_SUITE_P(MainForm, RaceChoice,
                         testing::Values(RaceChoiceCase{"kept", 5, {3, 4, 5, 6, 7, 8, 9, 10}, 5},
                                         RaceChoiceCase{"next_above", 5, {7, 8, 9, 10, 11, 12}, 7},
                                         RaceChoiceCase{
                                             "last_below", 11, {1, 2, 3, 4, 5, 6, 7, 8, 9}, 9},
                                         RaceChoiceCase{"gap", 5, {3, 8}, 8},
                                         RaceChoiceCase{"first_when_none_shown", 0, {4, 6}, 4},
                                         RaceChoiceCase{"none_available", 5, {}, 0}),
                         test::ByName());

TEST_F(MainFormTest, VenueWithoutDataLeavesTheRaceGroupAsItWas) {
    WriteSettings();
    WriteMeeting(1, "05");
    WriteMeeting(2, "08");
    WriteRaces(Tokyo, {3});
    TMainForm form = Created();
    form.Check(Radio::RBkaisai2);
    EXPECT_EQ(form.state().selection.CurRace, 0);
    EXPECT_FALSE(form.window().GBRVisible);
    EXPECT_FALSE(form.window().radio(Radio::RBSortT).visible);
    form.Check(Radio::RBkaisai1);
    form.Check(Radio::RBkaisai2);
    EXPECT_TRUE(form.window().GBRVisible); // shown once, never hidden again
    for (int race = 1; race <= 12; ++race) {
        EXPECT_FALSE(form.window().radio(RaceButton(race)).visible);
    }
}

TEST_F(MainFormTest, CheckedButtonsDoNothingWhenCheckedAgain) {
    WriteSettings();
    WriteMeeting(1, "05");
    WriteRaces(Tokyo, {2});
    TMainForm form = Created();
    form.Check(Radio::RBkaisai1);
    form.state().window.EditTokubetu = "kept";
    form.Check(Radio::RBkaisai1);
    form.Check(Radio::RBR02);
    form.Check(Radio::RBNorT);
    EXPECT_EQ(form.window().EditTokubetu, "kept");
    // A new race file is seen only by Refresh, which clears and probes again.
    WriteRaces(Tokyo, {1});
    EXPECT_FALSE(form.window().radio(Radio::RBR01).visible);
    form.UpDateClick();
    EXPECT_TRUE(form.window().radio(Radio::RBR01).visible);
    EXPECT_EQ(form.state().selection.CurRace, 2);
    EXPECT_NE(form.window().EditTokubetu, "kept");
}

TEST_F(MainFormTest, ChangingVenueToAnotherRaceEndsAsASingleFill) {
    WriteSettings();
    WriteMeeting(1, "05");
    WriteMeeting(2, "08", "3", "01", "02");
    WriteRaces(Tokyo, {2});
    WriteRaces({8, 3, 1, 2}, {5});
    TMainForm twice = Created();
    twice.Check(Radio::RBkaisai1);
    twice.Check(Radio::RBkaisai2); // race 2 is not there: race 5, through SelectRace
    EXPECT_EQ(twice.state().selection.CurRace, 5);
    TMainForm once = Created();
    once.Check(Radio::RBkaisai2);
    EXPECT_EQ(twice.window().EditYMDR, once.window().EditYMDR);
    EXPECT_EQ(twice.window().DEGrid, once.window().DEGrid);
    EXPECT_EQ(twice.window().MemoSeiseki, once.window().MemoSeiseki);
    EXPECT_EQ(twice.window().MemoOdds2, once.window().MemoOdds2);
}

TEST_F(MainFormTest, RefreshBeforeAnyVenueClearsAndShowsNoRace) {
    WriteSettings();
    WriteMeeting(1, "05");
    TMainForm form = Created();
    form.state().window.EditKyori = "x";
    form.UpDateClick();
    EXPECT_EQ(form.window().EditKyori, "");
    EXPECT_EQ(form.state().selection.CurRace, 0);
    EXPECT_FALSE(form.window().GBRVisible);
    EXPECT_FALSE(form.window().radio(Radio::RBR01).visible);
}

TEST_F(MainFormTest, OnlyTheExactTrueSortsTheRaceCard) {
    for (const char* tsort : {"True", "TRUE", "true"}) {
        WriteSettings("1", tsort);
        WriteMeeting(1, "05");
        WriteRaces(Tokyo, {1});
        TMainForm form = Created();
        form.Check(Radio::RBkaisai1);
        const bool sorted = std::string(tsort) == "True";
        EXPECT_EQ(form.window().radio(Radio::RBSortT).checked, sorted) << tsort;
        EXPECT_EQ(form.window().radio(Radio::RBNorT).checked, !sorted) << tsort;
    }
}

TEST_F(MainFormTest, SortButtonChangesOnlyTheCopyInMemory) {
    WriteSettings();
    WriteMeeting(1, "05");
    WriteRaces(Tokyo, {1});
    TMainForm form = Created();
    form.Check(Radio::RBkaisai1);
    form.Check(Radio::RBSortT);
    form.Check(Radio::RBSort2);
    EXPECT_EQ(form.state().settings.Tsort, "True");
    EXPECT_EQ(form.state().settings.Usort, "True");
    EXPECT_EQ(LoadSettings(iniPath).Tsort, "false");
    form.UpDateClick();
    EXPECT_EQ(form.state().settings.Tsort, "false");
    EXPECT_TRUE(form.window().radio(Radio::RBSortT).checked); // the button stays as it was
}

struct ActivationCase {
    const char* name;
    bool settingsFile;
    const char* us;
    bool meetingIndex;
    bool dialog;
};

class Activation : public MainFormTest, public testing::WithParamInterface<ActivationCase> {};

TEST_P(Activation, OpensTheSettingsOnlyWithoutAUsableSetUp) {
    if (GetParam().settingsFile) {
        WriteSettings(GetParam().us);
    }
    if (GetParam().meetingIndex) {
        WriteMeeting(1, "05");
    }
    TMainForm form = Created();
    form.FormActivate();
    form.FormActivate(); // later activations never check again
    const auto dialogs =
        std::count(ui.shown.begin(), ui.shown.end(), Shown{Shown::Kind::SettingsDialog, {}});
    EXPECT_EQ(dialogs, GetParam().dialog ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    MainForm, Activation,
    testing::Values(ActivationCase{"no_settings_file", false, "", false, true},
                    ActivationCase{"us_zero_valid_folder", true, "0", true, true},
                    ActivationCase{"us_one_no_index", true, "1", false, true},
                    ActivationCase{"us_other_with_index", true, "x", true, false},
                    ActivationCase{"us_one_with_index", true, "1", true, false}),
    test::ByName());

TEST_F(MainFormTest, SettingsReloadsAndRebuildsAfterTheDialog) {
    WriteSettings();
    WriteMeeting(1, "05");
    WriteRaces(Tokyo, {1});
    TMainForm form = Created();
    form.Check(Radio::RBkaisai1);
    ui.settingsDialog = [&] {
        TSettings s = LoadSettings(iniPath);
        s.Tsort = "True";
        SaveSettings(iniPath, pat.path(), s);
    };
    form.ButtonSettingClick();
    EXPECT_EQ(form.state().settings.Tsort, "True");
    EXPECT_EQ(form.state().selection.CurRace, 1);
}

TEST_F(MainFormTest, FailureWhileShowingTheDialogSkipsTheRebuild) {
    WriteSettings();
    TMainForm form = Created();
    form.state().window.EditKyori = "x";
    ui.settingsDialog = [] { throw Failure::Other("broken"); };
    EXPECT_FALSE(Dispatch(ui, [&] { form.ButtonSettingClick(); }));
    EXPECT_EQ(form.window().EditKyori, "x");
}

TEST_F(MainFormTest, ExitAsksTheApplicationToEnd) {
    WriteSettings();
    TMainForm form = Created();
    form.ButtonENDClick();
    EXPECT_TRUE(ui.endRequested);
}

} // namespace
} // namespace mv
