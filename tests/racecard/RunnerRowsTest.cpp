#include "racecard/RunnerRows.h"

#include "platform/Codec.h"
#include "racecard/RaceFolder.h"
#include "support/ParamName.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

using sample::Kind;
using test::Bytes;

Lines RankedLines(test::RaceFolder& folder) {
    RaceCardRows rows = ReadRunnerFiles(folder.state);
    return RankRunners(MergeRunnerRows(rows));
}

std::string Blanks(std::size_t n) {
    return std::string(n, ' ');
}

// Bytes 4-25 of a race card line (win odds, rank field, place odds) of unranked runners.
const std::string ScratchedOdds = Sjis("* ﾄﾘｹｼ    **ﾄﾘｹｼ**ﾄﾘｹｼ");
const std::string NoOdds = "******    ************";

struct StatusRow {
    const char* name;
    const char *cardStatus, *weightStatus;
    bool cancelledInOdds;
    const char* remarks;   // UTF-8
    const char* horse3At4; // bytes 2-25 of the fourth line
};

class RunnerStatus : public testing::TestWithParam<StatusRow> {};

// Four runners at odds 2.0 to 5.0 in horse-number order; horse 3 gets the row's statuses.
TEST_P(RunnerStatus, AnyOfTheThreeFilesScratchesARunner) {
    const StatusRow& row = GetParam();
    test::RaceFolder folder;
    sample::RaceCardFile card = test::RaceCard(4);
    card.runners[2].status = row.cardStatus;
    sample::BodyWeightFile weights = test::BodyWeights(4);
    weights.runners[2].status = row.weightStatus;
    sample::WinPlaceBracketFile odds = test::WinPlace(4);
    if (row.cancelledInOdds) {
        odds.runners[2].win = sample::CancelledOdds(5);
    }
    folder.Write(Kind::De, sample::Line1(card));
    folder.Write(Kind::Ut, sample::Line1(weights));
    folder.Write(Kind::Zo, sample::Line1(odds));

    const Lines lines = RankedLines(folder);
    const std::size_t horse3 = Bytes(lines[2], 2, 3) == " 3" ? 2 : 3;
    EXPECT_EQ(Bytes(lines[horse3], 76, 95), Sjis(row.remarks));
    EXPECT_EQ(Bytes(lines[3], 2, 25), Sjis(row.horse3At4));
}

INSTANTIATE_TEST_SUITE_P(
    RunnerRows, RunnerStatus,
    testing::Values(
        StatusRow{"InRaceCard", "9", " ", false, "●出走取消          ", " 3* ﾄﾘｹｼ    **ﾄﾘｹｼ**ﾄﾘｹｼ"},
        StatusRow{"InBodyWeightsDespiteOdds", " ", "9", false, "●出走取消          ",
                  " 3* ﾄﾘｹｼ    **ﾄﾘｹｼ**ﾄﾘｹｼ"},
        StatusRow{"InOddsFile", " ", " ", true, "●出走取消          ", " 3* ﾄﾘｹｼ    **ﾄﾘｹｼ**ﾄﾘｹｼ"},
        StatusRow{"JockeyChangeThenScratchedInBodyWeights", "8", "9", false, "●出走取消          ",
                  " 3* ﾄﾘｹｼ    **ﾄﾘｹｼ**ﾄﾘｹｼ"},
        StatusRow{"NotByAJockeyChange", "8", " ", false, "●騎手／負担重量変更",
                  " 4   5.0[ 4]   1.4-  2.4"},
        StatusRow{"NotByAnUnknownStatus", "5", " ", false, "                    ",
                  " 4   5.0[ 4]   1.4-  2.4"}),
    test::ByName());

TEST(RunnerRows, RanksFollowTheOddsTextsAndUnrankedRowsComeAfter) {
    test::RaceFolder folder;
    sample::WinPlaceBracketFile odds = test::WinPlace(6);
    odds.runners[0] = {" 1", "  3.4", "  1.5", "  2.0"};
    odds.runners[1] = {" 2", "  3.4", "  1.2", "  1.9"}; // same win odds, lower place odds
    odds.runners[2] = {" 3", "  1.0", "  1.0", "  1.1"}; // exactly 1.0 is ranked
    odds.runners[3] = {" 4", "  0.0", "  1.0", "  1.0"}; // below 1.0
    odds.runners[4] = {" 5", " 12.0", "  3.0", "  5.0"};
    odds.runners[5] = {" 6", sample::CancelledOdds(5), "", ""};
    folder.Write(Kind::Zo, sample::Line1(odds));

    const Lines lines = RankedLines(folder);
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(Bytes(lines[0], 2, 25), " 3   1.0[ 1]   1.0-  1.1");
    EXPECT_EQ(Bytes(lines[1], 2, 25), " 2   3.4[ 2]   1.2-  1.9");
    EXPECT_EQ(Bytes(lines[2], 2, 25), " 1   3.4[ 3]   1.5-  2.0");
    EXPECT_EQ(Bytes(lines[3], 2, 25), " 5  12.0[ 4]   3.0-  5.0");
    EXPECT_EQ(Bytes(lines[4], 2, 25), " 6" + ScratchedOdds);
    EXPECT_EQ(Bytes(lines[5], 2, 25), " 4*# 0.0       1.0-  1.0");
    EXPECT_EQ(Bytes(lines[17], 2, 25), "  " + NoOdds);
}

TEST(RunnerRows, WithoutRunnerFilesEveryLineIsBlankWithoutOddsOrRank) {
    test::RaceFolder folder;
    const std::string expected = Blanks(3) + NoOdds + Blanks(72);
    EXPECT_EQ(RankedLines(folder), Lines(18, expected));
}

TEST(RunnerRows, OnlyTheRaceCardFillsNamesAndMarksWithoutOdds) {
    test::RaceFolder folder;
    sample::RaceCardFile card = test::RaceCard(1);
    card.runners[0].apprentice = "10";
    folder.Write(Kind::De, sample::Line1(card));

    // Equal keys: the blank brackets of the empty slots sort first.
    const std::string line = RankedLines(folder)[17];
    EXPECT_EQ(line, "1 1" + NoOdds + sample::Padded("HORSE1", 18) + Blanks(7) + Sjis(" ☆") +
                        sample::Padded("JOCKEY1", 18) + "57.0" + Blanks(20) + " 1");
}

struct CodeRow {
    const char* name;
    const char *apprentice, *sign;
    const char *mark, *change; // UTF-8
};

class RunnerCodes : public testing::TestWithParam<CodeRow> {};

TEST_P(RunnerCodes, ApprenticeAndSignCodesBecomeTheirMarks) {
    const CodeRow& row = GetParam();
    test::RaceFolder folder;
    folder.state.settings.PN = Sjis("－");
    sample::RaceCardFile card = test::RaceCard(1);
    card.runners[0].apprentice = row.apprentice;
    sample::BodyWeightFile weights = test::BodyWeights(1);
    weights.runners[0].sign = row.sign;
    folder.Write(Kind::De, sample::Line1(card));
    folder.Write(Kind::Ut, sample::Line1(weights));

    const RaceCardRows rows = ReadRunnerFiles(folder.state);
    EXPECT_EQ(rows[0].ApprenticeMark, Sjis(row.mark));
    EXPECT_EQ(rows[0].WeightChange, Sjis(row.change));
}

INSTANTIATE_TEST_SUITE_P(
    RunnerRows, RunnerCodes,
    testing::Values(CodeRow{"Code10Gain", "10", "1", " ☆", "＋ 4"},
                    CodeRow{"Code20LossWithTheChosenSign", "20", "2", " △", "－ 4"},
                    CodeRow{"Code30NoChange", "30", "3", " ▲", "± 0"},
                    CodeRow{"Code00FirstStart", "00", "7", " 　", " 初 "},
                    CodeRow{"BlankCodes", "  ", " ", " 　", "    "},
                    CodeRow{"UnknownCodesLeaveBlanks", "99", "5", "   ", "    "}),
    test::ByName());

TEST(RunnerRows, ARaceCardLineEndingInsideTheSlotsGivesShortAndEmptyFields) {
    test::RaceFolder folder;
    folder.Write(Kind::De, sample::Line1(test::RaceCard(4)).substr(0, 94 + 48 * 2 + 8));

    const RaceCardRows rows = ReadRunnerFiles(folder.state);
    EXPECT_EQ(rows[2].HorseName, "HORS"); // slot 3's name is cut
    EXPECT_EQ(rows[2].Jockey, "");
    EXPECT_EQ(rows[17].Bracket, "");
    EXPECT_EQ(rows[17].ApprenticeMark, Blanks(3));
    EXPECT_EQ(rows[17].SlotNo, "18");
}

TEST(RunnerRows, AnOddsLineEndingInsideTheSlotsFailsAsNotADecimalNumber) {
    test::RaceFolder folder;
    folder.Write(Kind::Zo, sample::Line1(test::WinPlace(4)).substr(0, 143 + 18 * 4));

    RaceCardRows rows = ReadRunnerFiles(folder.state);
    EXPECT_EQ(rows[4].WinOdds + rows[4].PlaceOdds, Blanks(5) + " -");
    EXPECT_EQ(test::FailureOf([&] { MergeRunnerRows(rows); }),
              "'" + Blanks(6) + Sjis("' は浮動小数点数ではありません"));
}

} // namespace
} // namespace mv
