// A later start that finds the program folder's lock held: it ends only once the running
// viewer answered, starts once a viewer that is ending lets go, and says so when one neither
// answers nor ends.

#include "app/SecondStart.h"

#include "platform/Codec.h"
#include "support/ParamName.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>
#include <optional>

namespace mv {
namespace {

using namespace std::chrono_literals;
using Shown = test::ScriptedUi::Shown;

// What the viewer holding the lock does, on a clock that moves only as the start pauses.
struct RunningViewerCase {
    const char* name;
    std::optional<std::chrono::milliseconds> letsGoAt;    // of the lock; nothing: never
    std::optional<std::chrono::milliseconds> answersFrom; // nothing: never
    SecondStart outcome;
};

void PrintTo(const RunningViewerCase& c, std::ostream* os) {
    *os << c.name;
}

class RunningViewer : public testing::TestWithParam<RunningViewerCase> {};

TEST_P(RunningViewer, DecidesWhetherTheStartRunsOrEnds) {
    const RunningViewerCase& row = GetParam();
    test::ScriptedUi ui;
    std::chrono::milliseconds elapsed{0};
    int asked = 0;
    const auto reached = [&](const std::optional<std::chrono::milliseconds>& at) {
        return at && elapsed >= *at;
    };
    SecondStartSteps steps;
    steps.takeLock = [&] { return reached(row.letsGoAt); };
    steps.askToComeForward = [&] {
        ++asked;
        return reached(row.answersFrom);
    };
    steps.pause = [&](std::chrono::milliseconds d) { elapsed += d; };
    steps.now = [&] { return std::chrono::steady_clock::time_point(elapsed); };

    EXPECT_EQ(WaitForTheRunningViewer(ui, steps, 10s), row.outcome);

    if (row.outcome == SecondStart::NoAnswer) {
        EXPECT_EQ(ui.shown,
                  (std::vector<Shown>{{Shown::Kind::Error,
                                       Sjis("既に起動しているビューアが応答しません。そのビューアを"
                                            "終了してから、もう一度起動してください.")}}));
        EXPECT_GE(elapsed, 10s);
        EXPECT_LT(elapsed, 10s + 1s);
        EXPECT_EQ(ExitCodeOf(row.outcome), 1);
    } else {
        EXPECT_TRUE(ui.shown.empty());
        // Soon after the viewer let go or answered, and never asked once the lock was had.
        const auto ready = row.outcome == SecondStart::Run ? *row.letsGoAt : *row.answersFrom;
        EXPECT_LT(elapsed - ready, 1s);
        EXPECT_EQ(ExitCodeOf(row.outcome), 0);
    }
    if (row.letsGoAt == 0ms) {
        EXPECT_EQ(asked, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    SecondStart, RunningViewer,
    testing::Values(
        RunningViewerCase{"NoneRunning", 0ms, std::nullopt, SecondStart::Run},
        RunningViewerCase{"RunningAndAnswering", std::nullopt, 0ms, SecondStart::CameForward},
        RunningViewerCase{"StillStartingAnswersLater", std::nullopt, 2s, SecondStart::CameForward},
        RunningViewerCase{"EndingLetsGoOfTheLock", 3s, std::nullopt, SecondStart::Run},
        RunningViewerCase{"EndingSlowlyLetsGoJustBeforeTheLimit", 9900ms, std::nullopt,
                          SecondStart::Run},
        RunningViewerCase{"HungNeverAnswersNorLetsGo", std::nullopt, std::nullopt,
                          SecondStart::NoAnswer}),
    test::ByName{});

} // namespace
} // namespace mv
