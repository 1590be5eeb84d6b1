// Follow mode on the sample folder, with the system's real notices and a clock of the test's
// own: the event loop is played by the test (wait for the notice handle, take the notices,
// fire the one timer when it is due).

#include "app/MainForm.h"
#include "common/MainFormDesign.h"
#include "platform/Codec.h"
#include "support/CacheFiles.h"
#include "support/ParamName.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"
#include "tools/SampleFetch.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/posix/FileSystemKind.h"
#include "platform/posix/SystemCalls.h"

#include <poll.h>
#endif

namespace mv {
namespace {

using namespace std::chrono_literals;
using sample::Kind;
using sample::WriteWay;
using Caches = std::map<std::string, std::string>;

bool Ready(std::intptr_t handle, int ms) {
    if (handle < 0) {
        return false;
    }
#ifdef _WIN32
    return ::WaitForSingleObject(reinterpret_cast<HANDLE>(handle), static_cast<DWORD>(ms)) ==
           WAIT_OBJECT_0;
#else
    pollfd p{static_cast<int>(handle), POLLIN, 0};
    return ::poll(&p, 1, ms) == 1;
#endif
}

std::string Designed() {
    return Sjis(MainFormDesign().caption);
}

MainWindowModel WithoutMarks(MainWindowModel model) {
    for (auto& row : model.DEGridMarks) {
        row.fill(CellMark{});
    }
    return model;
}

class FollowMode : public testing::Test {
public:
    test::TempFolder pat;
    test::TempFolder program;
    test::ScriptedUi ui;
    const std::vector<sample::SampleMeeting> meetings = sample::SampleMeetings();
    const sample::SampleMeeting& tokyo = meetings[0];
    std::int64_t now = 1'000'000;
    std::unique_ptr<TMainForm> form;

    void SetUp() override {
        sample::WriteSampleFolder(pat.path());
        WriteSettings("1");
        std::filesystem::create_directory(program.osPath() / "cache");
    }
    void WriteSettings(const std::string& autoUpdate) {
        program.Write("Q-MvRV98.ini", "[Dir]\r\nPatDir=" + pat.path() +
                                          "\r\n[Options]\r\nTsort=false\r\nWsort=false\r\n"
                                          "Usort=false\r\nKsort=false\r\nUS=1\r\nAutoUpdate=" +
                                          autoUpdate + "\r\n");
    }
    std::unique_ptr<TMainForm> Shown(const std::filesystem::path& cacheFolder, int race) {
        auto f = std::make_unique<TMainForm>(ui, program.File("Q-MvRV98.ini"), cacheFolder);
        f->SetTimeOfDay([] { return std::string("15:40:05"); });
        f->follow().SetClock([this] { return now; });
        f->FormCreate();
        f->Check(VenueButton(1));
        f->Check(RaceButton(race));
        f->FollowSync();
        return f;
    }
    void Start(int race) { form = Shown(program.osPath() / "cache", race); }

    // What a fresh click on the race shows now, with the tables' orders given.
    std::unique_ptr<TMainForm> Fresh(int race, const std::vector<Radio>& orders = {}) {
        const std::filesystem::path folder = program.osPath() / ("fresh" + std::to_string(++n_));
        std::filesystem::create_directory(folder);
        auto f = Shown(folder, race);
        for (Radio r : orders) {
            f->Check(r);
        }
        return f;
    }
    Caches CachesIn(const std::filesystem::path& folder) const {
        Caches bytes;
        for (const char* name : test::CacheNames) {
            bytes[name] = test::ReadFile(folder / name);
        }
        return bytes;
    }
    Caches Written() const { return CachesIn(program.osPath() / "cache"); }

    // The event loop until follow mode has nothing left to do; `seen` after every reload.
    void RunLoop(const std::function<void()>& seen = {}, int rounds = 400) {
        for (int i = 0; i < rounds; ++i) {
            if (Ready(form->follow().Handle(), 60)) {
                form->FollowNoticed();
                continue;
            }
            const auto wake = form->follow().Wake();
            if (!wake || form->follow().polling()) {
                return;
            }
            now += *wake;
            form->FollowTimerFired();
            if (seen) {
                seen();
            }
        }
        FAIL() << "follow mode never settled";
    }
    std::string Name(Kind kind, int race) const {
        return sample::DataFileName(kind, tokyo.keys, race);
    }

private:
    int n_ = 0;
};

TEST_F(FollowMode, OffARewriteChangesNothingUntilRefresh) {
    WriteSettings("0");
    Start(3);
    const MainWindowModel before = form->window();
    const auto cachesBefore = Written();
    EXPECT_EQ(form->follow().Handle(), -1);

    sample::WriteFetch(pat.path(), tokyo, 3, 1, WriteWay::InPlace, 0ms);
    RunLoop();

    EXPECT_EQ(form->follow().reloads(), 0);
    EXPECT_EQ(form->window(), before);
    EXPECT_EQ(Written(), cachesBefore);
    EXPECT_EQ(form->follow().Caption(), Designed());
}

struct WayCase {
    const char* name;
    std::function<void(FollowMode&)> write;
};

class WayOfWriting : public FollowMode, public testing::WithParamInterface<WayCase> {};

// The user chose other orders than the settings give; the window ends showing what a fresh
// click shows with those orders, after one reload that showed, never half and never a box.
TEST_P(WayOfWriting, EndsShowingWhatAFreshClickShows) {
    Start(3);
    form->Check(Radio::RBSortT);
    form->Check(Radio::RBSort2);
    const MainWindowModel before = form->window();

    // The writer works beside the event loop, as the betting software does.
    std::atomic<bool> written = false;
    std::thread writer([&] {
        GetParam().write(*this);
        written = true;
    });
    std::vector<MainWindowModel> seen;
    const auto keep = [&] { seen.push_back(form->window()); };
    while (!written) {
        RunLoop(keep);
    }
    writer.join();
    RunLoop(keep);

    const auto fresh = Fresh(3, {Radio::RBSortT, Radio::RBSort2});
    EXPECT_EQ(WithoutMarks(form->window()), WithoutMarks(fresh->window()));
    EXPECT_NE(form->window().MemoOdds2, before.MemoOdds2) << "the new odds are shown";
    EXPECT_TRUE(form->window().radio(Radio::RBSortT).checked);
    EXPECT_TRUE(form->window().radio(Radio::RBSort2).checked);
    EXPECT_EQ(Written(), CachesIn(program.osPath() / "fresh1"));
    EXPECT_EQ(form->follow().shown(), 1);
    EXPECT_TRUE(ui.shown.empty());
    for (const MainWindowModel& m : seen) {
        EXPECT_TRUE(m == before || WithoutMarks(m) == WithoutMarks(fresh->window()))
            << "a window between the old race and the new one";
    }
}

INSTANTIATE_TEST_SUITE_P(
    FollowMode, WayOfWriting,
    testing::Values(WayCase{"InPlaceInPiecesWithPauses",
                            [](FollowMode& f) {
                                sample::WriteFetch(f.pat.path(), f.tokyo, 3, 1, WriteWay::InPieces,
                                                   300ms);
                            }},
                    WayCase{"ThroughATemporaryFileAndARename",
                            [](FollowMode& f) {
                                sample::WriteFetch(f.pat.path(), f.tokyo, 3, 1,
                                                   WriteWay::ThroughRename, 0ms);
                            }},
                    WayCase{"DeletedThenCreated",
                            [](FollowMode& f) {
                                sample::WriteFetch(f.pat.path(), f.tokyo, 3, 1,
                                                   WriteWay::DeleteThenCreate, 30ms);
                            }},
                    WayCase{"AllFiveFilesInABurst",
                            [](FollowMode& f) {
                                const auto& race = f.tokyo.races[2];
                                sample::WriteDataFile(f.pat.path(), f.Name(Kind::De, 3),
                                                      sample::Line1(*race.raceCard));
                                sample::WriteDataFile(f.pat.path(), f.Name(Kind::Ut, 3),
                                                      sample::Line1(*race.bodyWeights));
                                sample::WriteFetch(f.pat.path(), f.tokyo, 3, 1, WriteWay::InPlace,
                                                   0ms);
                                sample::WriteDataFile(f.pat.path(), f.Name(Kind::Ks, 3),
                                                      sample::Line1(*race.results));
                            }}),
    test::ByName());

// A failing conversion while following: nothing changes, not one byte, though the stages
// before the failing one read new odds; mended, it is shown.
TEST_F(FollowMode, AMalformedFileChangesNothingUntilMended) {
    Start(3);
    const MainWindowModel before = form->window();
    const auto cachesBefore = Written();
    sample::WriteDataFile(pat.path(), Name(Kind::Zo, 3),
                          sample::Line1(sample::WinPlaceAfter(tokyo, tokyo.races[2], 1)));
    auto spoiled = sample::QuinellaWideAfter(tokyo, tokyo.races[2], 1);
    for (auto& pair : spoiled.combinations) {
        if (pair.quinella.find('.') != std::string::npos) {
            pair.quinella = "  4x.6";
            break;
        }
    }
    sample::WriteDataFile(pat.path(), Name(Kind::Uo, 3), sample::Line1(spoiled));
    RunLoop();
    EXPECT_EQ(form->window(), before);
    EXPECT_EQ(Written(), cachesBefore);
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(form->follow().shown(), 0);

    sample::WriteFetch(pat.path(), tokyo, 3, 1, WriteWay::InPlace, 0ms);
    RunLoop();
    EXPECT_EQ(WithoutMarks(form->window()), WithoutMarks(Fresh(3)->window()));
    EXPECT_EQ(form->follow().shown(), 1);
}

TEST_F(FollowMode, ANewRacesFilesBringItsButton) {
    for (Kind k : {Kind::De, Kind::Ut, Kind::Zo, Kind::Uo, Kind::Ks}) {
        std::filesystem::remove(pat.osPath() / Name(k, 12));
    }
    Start(3);
    ASSERT_FALSE(form->window().radio(RaceButton(12)).visible);

    sample::WriteFetch(pat.path(), tokyo, 12, 0, WriteWay::InPlace, 0ms);
    RunLoop();

    EXPECT_TRUE(form->window().radio(RaceButton(12)).visible);
    EXPECT_TRUE(form->window().radio(RaceButton(3)).checked);
}

// The race on display loses its files: the race is chosen as a refresh chooses it.
TEST_F(FollowMode, TheRaceOnDisplayLosingItsFilesIsChosenAsARefreshChooses) {
    Start(3);
    const auto refreshed = Fresh(3);
    for (Kind k : {Kind::De, Kind::Ut, Kind::Zo, Kind::Uo, Kind::Ks}) {
        std::filesystem::remove(pat.osPath() / Name(k, 3));
    }
    RunLoop();
    refreshed->UpDateClick();

    EXPECT_FALSE(form->window().radio(RaceButton(3)).visible);
    EXPECT_EQ(form->state().selection.CurRace, refreshed->state().selection.CurRace);
    EXPECT_EQ(WithoutMarks(form->window()), WithoutMarks(refreshed->window()));
    EXPECT_TRUE(ui.shown.empty());
}

// Another venue's files, and the meeting index files, are not followed.
TEST_F(FollowMode, OtherFilesOfTheFolderBringNoReload) {
    Start(3);
    sample::WriteFetch(pat.path(), meetings[1], 3, 1, WriteWay::InPlace, 0ms);
    sample::WriteDataFile(pat.path(), sample::MeetingIndexName(1), sample::Line1(tokyo.index));
    RunLoop();
    EXPECT_EQ(form->follow().reloads(), 0);
}

// While a user's event runs, a due reload waits for it.
TEST_F(FollowMode, AReloadWaitsForTheUsersEvent) {
    Start(3);
    sample::WriteFetch(pat.path(), tokyo, 3, 1, WriteWay::InPlace, 0ms);
    {
        const Follow::Hold hold(form->follow());
        for (int i = 0; i < 5; ++i) {
            ASSERT_TRUE(Ready(form->follow().Handle(), 1000) || i > 0);
            form->FollowNoticed();
            now += form->follow().Wake().value_or(0);
            form->FollowTimerFired();
        }
        EXPECT_EQ(form->follow().reloads(), 0);
    }
    RunLoop();
    EXPECT_EQ(form->follow().shown(), 1);
}

TEST_F(FollowMode, TheToggleWritesItsKeyAloneAndMarksTheCaption) {
    Start(3);
    const std::string ini = program.Read("Q-MvRV98.ini");
    EXPECT_EQ(form->follow().Caption(), Designed() + Sjis(" [自動更新]"));

    form->AutoUpdateClick();

    EXPECT_FALSE(form->follow().On());
    EXPECT_EQ(form->follow().Handle(), -1);
    EXPECT_EQ(form->follow().Caption(), Designed());
    std::string expected = ini;
    expected.replace(expected.find("AutoUpdate=1"), 12, "AutoUpdate=0");
    EXPECT_EQ(program.Read("Q-MvRV98.ini"), expected);
}

// Odds that moved are marked, each the way it moved, with both values and times.
TEST_F(FollowMode, TheOddsThatMovedAreMarked) {
    Start(3);
    const MainWindowModel before = form->window();
    form->SetTimeOfDay([] { return std::string("15:42:05"); });
    sample::WriteFetch(pat.path(), tokyo, 3, 1, WriteWay::InPlace, 0ms);
    RunLoop();

    const MainWindowModel& after = form->window();
    int marked = 0;
    for (std::size_t row = 1; row < GridRows; ++row) {
        const CellMark& mark = after.DEGridMarks[row][2];
        const double was = std::atof(before.DEGrid[row][2].c_str());
        const double is = std::atof(after.DEGrid[row][2].c_str());
        ASSERT_EQ(before.DEGrid[row][1], after.DEGrid[row][1]) << "the same runner";
        if (mark.move == OddsMove::None) {
            EXPECT_TRUE(was == is || was == 0) << row;
            continue;
        }
        ++marked;
        EXPECT_EQ(mark.move, is < was ? OddsMove::Fell : OddsMove::Rose) << row;
        EXPECT_NE(mark.tip.find(Sjis("（15:40:05）→ 今回 ")), std::string::npos);
        EXPECT_NE(mark.tip.find(Sjis("（15:42:05）")), std::string::npos);
    }
    EXPECT_GT(marked, 0);
}

#ifndef _WIN32
// A network folder hears nothing of other machines: its files' stamps are compared every two
// seconds, and a change is shown at the next comparison.
TEST_F(FollowMode, OnAShareTheStampsAreComparedEveryTwoSeconds) {
    SystemCalls share = RealCalls();
    share.fileSystemType = [](int, unsigned long& type) {
        type = 0xFE534D42; // SMB2
        return true;
    };
    const ScopedSystemCalls calls(share);
    Start(3);
    ASSERT_TRUE(form->follow().polling());
    EXPECT_EQ(form->follow().Handle(), -1);
    EXPECT_EQ(form->follow().Wake(), Follow::PollMs);

    now += Follow::PollMs;
    form->FollowTimerFired();
    EXPECT_EQ(form->follow().reloads(), 0) << "nothing changed";

    sample::WriteFetch(pat.path(), tokyo, 3, 1, WriteWay::InPlace, 0ms);
    std::filesystem::last_write_time(pat.osPath() / Name(Kind::Zo, 3),
                                     std::filesystem::file_time_type::clock::now() + 1s);
    now += Follow::PollMs;
    form->FollowTimerFired();
    EXPECT_EQ(form->follow().shown(), 1);
    EXPECT_EQ(WithoutMarks(form->window()), WithoutMarks(Fresh(3)->window()));
    EXPECT_EQ(form->follow().Wake(), Follow::PollMs);
}
#endif

} // namespace
} // namespace mv
