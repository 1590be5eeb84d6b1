#include "racecard/RaceHeader.h"

#include "platform/Codec.h"
#include "racecard/RaceFolder.h"
#include "support/ParamName.h"

#include <gtest/gtest.h>
#include <vector>

namespace mv {
namespace {

using sample::Kind;

// A header that tells which kind it came from: the day is the kind's number, the race name
// and conditions start with its prefix, distance and runner count differ by kind.
std::string KindLine(Kind kind, sample::RaceHeader h = test::Header()) {
    static const char* const Prefix[] = {"", "De", "Ut", "Zo", "Uo", "Ks"};
    const int k = static_cast<int>(kind);
    h.day = "0" + std::to_string(k);
    h.raceName = sample::Padded(std::string(Prefix[k]) + "-name", 28);
    h.conditions = sample::Padded(std::string(Prefix[k]) + "-cond", 28);
    h.distance = std::to_string(1000 + 200 * k);
    h.runners = std::to_string(10 + k);
    switch (kind) {
    case Kind::De:
        return sample::Line1(sample::RaceCardFile{h, {}});
    case Kind::Ut:
        return sample::Line1(sample::BodyWeightFile{h, {}});
    case Kind::Zo:
        return sample::Line1(sample::WinPlaceBracketFile{h, "15", "38", {}, {}});
    case Kind::Uo:
        return sample::Line1(sample::QuinellaWideFile{h, "15", "38", {}});
    case Kind::Ks:
        break;
    }
    return sample::Line1(sample::ResultsFile{h, {}, {}, {}, {}, {}, {}});
}

struct SourceRow {
    const char* name;
    std::vector<Kind> kinds;
    // UTF-8: date line, race name, conditions, start time, course, distance, runners.
    std::vector<const char*> edits;
};

class HeaderSources : public testing::TestWithParam<SourceRow> {};

TEST_P(HeaderSources, EachEditHoldsTheLastKindThatCarriesIt) {
    test::RaceFolder folder;
    for (Kind kind : GetParam().kinds) {
        folder.Write(kind, KindLine(kind));
    }
    ShowRaceHeader(folder.state);
    const MainWindowModel& w = folder.state.window;
    const std::vector<std::string> shown{w.EditYMDR,   w.EditTokubetu, w.EditJyouken, w.EditJikoku,
                                         w.EditCourse, w.EditKyori,    w.EditTousuu};
    std::vector<std::string> expected;
    for (const char* text : GetParam().edits) {
        expected.push_back(Sjis(text));
    }
    EXPECT_EQ(shown, expected);
}

INSTANTIATE_TEST_SUITE_P(
    RaceHeader, HeaderSources,
    testing::Values(
        SourceRow{"OnlyResults",
                  {Kind::Ks},
                  {"2024年05月05日 第2回 東京 6日目 第11Ｒ", "Ks-name                     ",
                   "Ks-cond                     ", "", "", "", ""}},
        SourceRow{"RaceCardAndWinPlaceOdds",
                  {Kind::De, Kind::Zo},
                  {"2024年05月03日 第2回 東京 6日目 第11Ｒ", "Zo-name                     ",
                   "Zo-cond                     ", "発走時刻  15:40", "芝左", "1200", "13"}},
        SourceRow{"AllFiveKinds",
                  {Kind::De, Kind::Ut, Kind::Zo, Kind::Uo, Kind::Ks},
                  {"2024年05月05日 第2回 東京 6日目 第11Ｒ", "Ks-name                     ",
                   "Ks-cond                     ", "発走時刻  15:40", "芝左", "1400", "14"}}),
    test::ByName());

struct CountRow {
    const char* name;
    const char *meetingNo, *meetingDay, *raceNo;
    const char* shown; // UTF-8: the date line, or the failure's message
};

class DateLineCounts : public testing::TestWithParam<CountRow> {};

// The race card file is read first and is sound; the body-weight file carries the counts.
TEST_P(DateLineCounts, AreWrittenWithoutPaddingOrFailWithoutSettingTheKindsEdits) {
    const CountRow& row = GetParam();
    test::RaceFolder folder;
    folder.Write(Kind::De, KindLine(Kind::De));
    sample::RaceHeader counts = test::Header();
    counts.meetingNo = row.meetingNo;
    counts.meetingDay = row.meetingDay;
    counts.raceNo = row.raceNo;
    folder.Write(Kind::Ut, KindLine(Kind::Ut, counts));

    const std::string failure = test::FailureOf([&] { ShowRaceHeader(folder.state); });
    const MainWindowModel& w = folder.state.window;
    if (failure == "no failure") {
        EXPECT_EQ(w.EditYMDR, Sjis(row.shown));
        EXPECT_EQ(w.EditTousuu, "12");
    } else {
        EXPECT_EQ(failure, Sjis(row.shown));
        EXPECT_EQ(w.EditYMDR, Sjis("2024年05月01日 第2回 東京 6日目 第11Ｒ"));
        EXPECT_EQ(w.EditTokubetu, sample::Padded("De-name", 28));
        EXPECT_EQ(w.EditKyori, "1200");
        EXPECT_EQ(w.EditTousuu, "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    RaceHeader, DateLineCounts,
    testing::Values(
        CountRow{"ZeroPadded", "02", "05", "01", "2024年05月02日 第2回 東京 5日目 第1Ｒ"},
        CountRow{"BlankPadded", " 3", " 6", "11", "2024年05月02日 第3回 東京 6日目 第11Ｒ"},
        CountRow{"BlankMeetingNumber", "  ", "06", "11", "'  ' は整数ではありません"},
        CountRow{"DayFailsBeforeRaceNumber", "02", "6 ", "x1", "'6 ' は整数ではありません"},
        CountRow{"LettersInRaceNumber", "02", "06", "1R", "'1R' は整数ではありません"}),
    test::ByName());

TEST(RaceHeader, ALineEndingInsideAFieldGivesTheBytesThatExist) {
    test::RaceFolder folder;
    folder.Write(Kind::Ks, KindLine(Kind::Ks).substr(0, 40));
    ShowRaceHeader(folder.state);
    EXPECT_EQ(folder.state.window.EditTokubetu, "Ks-nam");
    EXPECT_EQ(folder.state.window.EditJyouken, "");
}

} // namespace
} // namespace mv
