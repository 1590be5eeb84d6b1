// Faults around the main window's race load: files that change, vanish or are still being
// written between the probe and the load, a program folder that cannot be written, and data
// files far larger than the betting software writes. Each pins the message and what the
// window shows afterwards.

#include "app/MainForm.h"
#include "common/Tables.h"
#include "faults/FaultSupport.h"
#include "platform/Codec.h"
#include "platform/Dispatch.h"
#include "support/CacheFiles.h"
#include "support/PanelChecks.h"
#include "support/ParamName.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "tools/SampleFolder.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace mv {
namespace {

using sample::Kind;
using Shown = test::ScriptedUi::Shown;
namespace fs = std::filesystem;

using test::CacheNames;

// The sample folder, a program folder whose settings show every table in file order, and the
// main window on them.
class WindowFaults : public testing::Test {
protected:
    test::TempFolder pat;
    test::TempFolder program;
    test::ScriptedUi ui;
    const sample::SampleMeeting meeting = sample::SampleMeetings().front(); // slot 1
    TMainForm form{ui, program.File("Q-MvRV98.ini"), program.osPath()};

    void SetUp() override {
        sample::WriteSampleFolder(pat.path());
        program.Write("Q-MvRV98.ini", "[Dir]\r\nPatDir=" + pat.path() +
                                          "\r\n[Options]\r\nTsort=false\r\nWsort=false\r\n"
                                          "Usort=false\r\nKsort=false\r\nUS=1\r\n");
        form.FormCreate();
    }

    fs::path DataFile(Kind kind, int race) const {
        return pat.osPath() / sample::DataFileName(kind, meeting.keys, race);
    }
    std::string DataPath(Kind kind, int race) const {
        return pat.path() + sample::DataFileName(kind, meeting.keys, race);
    }
    const sample::SampleRace& Race(int race) const {
        return meeting.races[static_cast<std::size_t>(race - 1)];
    }

    bool Run(Radio button) {
        return Dispatch(ui, [&] { form.Check(button); });
    }
    std::map<std::string, std::string> Caches() const {
        std::map<std::string, std::string> bytes;
        for (const char* name : CacheNames) {
            bytes[name] = program.Read(name);
        }
        return bytes;
    }
    // Nothing below the header: grid rows, odds and results memos as ClearPanels leaves them.
    void ExpectNothingBelowTheHeader() const {
        const MainWindowModel& w = form.window();
        test::ExpectNoPanelShown(w);
        EXPECT_TRUE(w.MemoSeiseki.empty());
        const MainWindowModel designed;
        EXPECT_EQ(w.GBOdds1, designed.GBOdds1);
    }
    // The grid of race 1 in another window on the same folder, undisturbed.
    std::array<std::array<std::string, GridColumns>, GridRows> UndisturbedGrid() {
        TMainForm other(ui, program.File("Q-MvRV98.ini"), program.osPath());
        other.FormCreate();
        other.Check(VenueButton(1));
        EXPECT_NE(other.window().DEGrid[1][4], "");
        return other.window().DEGrid;
    }
    // The race name as the header edit shows it: the 28-byte field of the files.
    std::string RaceName(int race) const {
        return sample::Padded(Race(race).raceCard->header.raceName, 28);
    }
};

TEST_F(WindowFaults, ResultsFileRemovedAfterTheProbeStopsTheLoadAfterTheHeader) {
    ASSERT_TRUE(Run(VenueButton(1)));
    fs::remove(DataFile(Kind::Ks, 2));

    EXPECT_FALSE(Run(RaceButton(2)));

    EXPECT_EQ(ui.Errors(),
              (std::vector<Shown>{{Shown::Kind::Error, Sjis("ファイル ") + DataPath(Kind::Ks, 2) +
                                                           Sjis(" は開けません.")}}));
    const MainWindowModel& w = form.window();
    EXPECT_TRUE(w.radio(RaceButton(2)).checked);
    EXPECT_FALSE(w.radio(RaceButton(1)).checked);
    EXPECT_EQ(w.EditTokubetu, RaceName(2)); // the four files before it were read
    ExpectNothingBelowTheHeader();
}

TEST_F(WindowFaults, FileStillBeingWrittenIsNotShownUntilTheWriterIsDone) {
    {
        const test::WriterHolding writer(DataFile(Kind::De, 1));
        EXPECT_FALSE(Run(VenueButton(1)));
        EXPECT_EQ(ui.Errors(), (std::vector<Shown>{
                                   {Shown::Kind::Error, Sjis("ファイル ") + DataPath(Kind::De, 1) +
                                                            Sjis(" は開けません.")}}));
        const MainWindowModel& w = form.window();
        EXPECT_EQ(w.EditTokubetu, "");
        EXPECT_EQ(w.EditYMDR, MainWindowModel().EditYMDR);
        EXPECT_FALSE(w.radio(RaceButton(1)).checked);
        EXPECT_FALSE(w.GBRVisible);
        ExpectNothingBelowTheHeader();
    }
    EXPECT_TRUE(Dispatch(ui, [&] { form.UpDateClick(); }));
    EXPECT_EQ(form.window().EditTokubetu, RaceName(1));
    EXPECT_EQ(form.window().DEGrid, UndisturbedGrid());
}

// A share's client refuses a read lease whenever the server has granted no oplock, which says
// nothing about writers: the race shows as from a local disk.
TEST_F(WindowFaults, ShareRefusingEveryLeaseShowsTheRaceAsALocalDiskDoes) {
    TMainForm local(ui, program.File("Q-MvRV98.ini"), program.osPath());
    local.FormCreate();
    local.Check(VenueButton(1));
    const auto localCaches = Caches();
    {
        const ScopedSystemCalls share(test::ShareWithoutOplocks());
        EXPECT_TRUE(Run(VenueButton(1)));
    }
    EXPECT_TRUE(ui.Errors().empty());
    EXPECT_EQ(form.window().EditTokubetu, RaceName(1));
    EXPECT_EQ(form.window(), local.window());
    EXPECT_EQ(Caches(), localCaches);
}

TEST_F(WindowFaults, DataFilesThatAreFoldersCountAsMissing) {
    for (const Kind kind : {Kind::De, Kind::Ut, Kind::Zo, Kind::Uo, Kind::Ks}) {
        fs::remove(DataFile(kind, 1));
        fs::create_directory(DataFile(kind, 1));
    }
    fs::remove(DataFile(Kind::Ks, 2));
    fs::create_directory(DataFile(Kind::Ks, 2));

    EXPECT_TRUE(Run(VenueButton(1)));

    EXPECT_TRUE(ui.Errors().empty());
    const MainWindowModel& w = form.window();
    EXPECT_FALSE(w.radio(RaceButton(1)).visible);
    EXPECT_TRUE(w.radio(RaceButton(2)).checked);
    EXPECT_EQ(w.EditTokubetu, RaceName(2));
    EXPECT_EQ(w.MemoSeiseki, Lines{Sjis("備考：")});
}

// The caches are derived data, rewritten in place: a program folder in which no file can be
// made still has its caches rewritten, and only a cache the user made read-only, or one that
// cannot be made, stops the load.
TEST_F(WindowFaults, ReadOnlyProgramFolderStillRewritesItsCaches) {
    ASSERT_TRUE(Run(VenueButton(1)));
    const auto cachesBefore = Caches();
    const auto namesBefore = test::EntryNames(program.osPath());
    const test::ReadOnlyFolder readOnly(program.osPath());
    ASSERT_TRUE(readOnly.Effective());

    EXPECT_TRUE(Run(RaceButton(2)));

    EXPECT_TRUE(ui.Errors().empty());
    EXPECT_EQ(form.window().EditTokubetu, RaceName(2));
    EXPECT_NE(form.window().DEGrid[1][4], "");
    EXPECT_NE(Caches()["MvDESo.dat"], cachesBefore.at("MvDESo.dat"));
    EXPECT_EQ(test::EntryNames(program.osPath()), namesBefore);
}

TEST_F(WindowFaults, ReadOnlyCacheStopsTheLoadAndIsKept) {
    ASSERT_TRUE(Run(VenueButton(1)));
    const auto cachesBefore = Caches();
    fs::permissions(program.File("MvDESo.dat"), fs::perms::owner_read | fs::perms::group_read);

    EXPECT_FALSE(Run(RaceButton(2)));

    EXPECT_EQ(ui.Errors(), (std::vector<Shown>{{Shown::Kind::Error,
                                                Sjis("ファイル ") + program.path() + "MvDESo.dat" +
                                                    Sjis(" を作成できません.")}}));
    EXPECT_EQ(form.window().EditTokubetu, RaceName(2));
    ExpectNothingBelowTheHeader();
    EXPECT_EQ(Caches(), cachesBefore);
}

TEST_F(WindowFaults, ReadOnlyProgramFolderWithoutCachesStopsTheLoad) {
    const auto namesBefore = test::EntryNames(program.osPath());
    const test::ReadOnlyFolder readOnly(program.osPath());
    ASSERT_TRUE(readOnly.Effective());

    EXPECT_FALSE(Run(VenueButton(1)));

    EXPECT_EQ(ui.Errors(), (std::vector<Shown>{{Shown::Kind::Error,
                                                Sjis("ファイル ") + program.path() + "MvDESo.dat" +
                                                    Sjis(" を作成できません.")}}));
    EXPECT_EQ(form.window().EditTokubetu, RaceName(1));
    ExpectNothingBelowTheHeader();
    EXPECT_EQ(test::EntryNames(program.osPath()), namesBefore);
}

struct LargeFileCase {
    const char* name;
    std::string tail; // what follows line 1 of the race card file instead of its CR LF
};

class LargeDataFile : public WindowFaults, public testing::WithParamInterface<LargeFileCase> {};

// A race card file far beyond what the betting software writes shows as the file with line 1
// alone does.
TEST_P(LargeDataFile, ShowsTheRaceAsLineOneAloneDoes) {
    const std::string line1 = sample::Line1(*Race(1).raceCard);
    const auto normalGrid = UndisturbedGrid();
    pat.Write(sample::DataFileName(Kind::De, meeting.keys, 1), line1 + GetParam().tail);

    EXPECT_TRUE(Run(VenueButton(1)));

    EXPECT_TRUE(ui.Errors().empty());
    EXPECT_EQ(form.window().DEGrid, normalGrid);
    EXPECT_EQ(form.window().EditTokubetu, RaceName(1));
}

std::string ManyLines(std::size_t count, std::size_t width) {
    std::string bytes;
    for (std::size_t i = 0; i < count; ++i) {
        bytes += "\r\n" + std::string(width, 'x');
    }
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(Faults, LargeDataFile,
                         testing::Values(LargeFileCase{"MegabytesOfFurtherLines",
                                                       ManyLines(40000, 200)},
                                         LargeFileCase{"MegabytesOnLineOneWithoutALineBreak",
                                                       std::string(8 * 1024 * 1024, ' ')}),
                         test::ByName());

} // namespace
} // namespace mv
