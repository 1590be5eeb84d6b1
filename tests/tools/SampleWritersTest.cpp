#include "tools/SampleWriters.h"

#include "platform/Codec.h"
#include "platform/Fields.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace mv::sample {
namespace {

// The fixtures below read fields back at the byte positions the betting software uses, written
// out as numbers on purpose: the writers' own layout tables must not check themselves.

TEST(Record, PutsTextAtOneBasedPositionAndGrowsPastTheEnd) {
    Record record(5);
    record.Put(2, "ab").Put(7, "xy");
    EXPECT_EQ(record.Line(), " ab   xy");
    EXPECT_THROW(record.Put(0, "a"), std::out_of_range);
}

TEST(MeetingIndexWriter, PutsVenueCodeAndKeysAtTheirColumns) {
    const std::string line = Line1(MeetingIndexFile{"05", "3", "04", "02"});
    ASSERT_EQ(line.size(), 68u);
    EXPECT_EQ(Field(line, 59, 2), "05");
    EXPECT_EQ(Field(line, 64, 1), "3");
    EXPECT_EQ(Field(line, 65, 2), "04");
    EXPECT_EQ(Field(line, 67, 2), "02");
    EXPECT_EQ(Field(line, 1, 58), std::string(58, ' '));
}

TEST(MeetingIndexWriter, KeepsOddTextsAndShortLines) {
    MeetingIndexFile file{"5 ", "3", " 4", "2"};
    file.length = 67;
    const std::string line = Line1(file);
    ASSERT_EQ(line.size(), 67u);
    EXPECT_EQ(Field(line, 59, 2), "5 ");
    EXPECT_EQ(Field(line, 65, 2), " 4");
    EXPECT_EQ(Field(line, 67, 2), "2");
}

TEST(MeetingIndexWriter, RefusesATextWiderThanItsField) {
    EXPECT_THROW(Line1(MeetingIndexFile{"005", "3", "04", "02"}), std::length_error);
}

RaceHeader FullHeader() {
    RaceHeader h;
    h.year = "2001";
    h.month = "04";
    h.day = "07";
    h.venueName = Sjis("中山");
    h.meetingNo = " 2";
    h.meetingDay = "05";
    h.raceNo = "11";
    h.startHours = "15";
    h.startMinutes = "35";
    h.course = Sjis("芝右");
    h.distance = "1600";
    h.raceName = Padded(Sjis("青葉台ステークス"), 28);
    h.conditions = Padded(Sjis("３歳オープン　別定"), 28);
    h.runners = "16";
    return h;
}

std::string HeaderLine(Kind kind, const RaceHeader& h) {
    switch (kind) {
    case Kind::De:
        return Line1(RaceCardFile{h, {}});
    case Kind::Ut:
        return Line1(BodyWeightFile{h, {}});
    case Kind::Zo:
        return Line1(WinPlaceBracketFile{h, "14", "35", {}, {}});
    case Kind::Uo:
        return Line1(QuinellaWideFile{h, "14", "35", {}});
    case Kind::Ks:
        return Line1(ResultsFile{h, {}, {}, {}, {}, {}, {}});
    }
    return {};
}

struct HeaderColumns {
    const char* name;
    Kind kind;
    std::size_t venueName, meetingNo, raceNo, raceName, conditions;
};
void PrintTo(const HeaderColumns& row, std::ostream* os) {
    *os << row.name;
}

class HeaderLayout : public testing::TestWithParam<HeaderColumns> {};

TEST_P(HeaderLayout, PutsTheDateLineNameAndConditionsOfTheKind) {
    const HeaderColumns& c = GetParam();
    const RaceHeader h = FullHeader();
    const std::string line = HeaderLine(c.kind, h);
    EXPECT_EQ(Field(line, 1, 8), "20010407");
    EXPECT_EQ(Field(line, c.venueName, 4), Sjis("中山"));
    EXPECT_EQ(Field(line, c.meetingNo, 4), " 205");
    EXPECT_EQ(Field(line, c.raceNo, 2), "11");
    EXPECT_EQ(Field(line, c.raceName, 28), h.raceName);
    EXPECT_EQ(Field(line, c.conditions, 28), h.conditions);
}

INSTANTIATE_TEST_SUITE_P(Kinds, HeaderLayout,
                         testing::Values(HeaderColumns{"RaceCard", Kind::De, 9, 17, 21, 35, 63},
                                         HeaderColumns{"BodyWeight", Kind::Ut, 9, 17, 21, 31, 59},
                                         HeaderColumns{"WinPlace", Kind::Zo, 29, 37, 41, 49, 77},
                                         HeaderColumns{"QuinellaWide", Kind::Uo, 29, 37, 41, 49,
                                                       77},
                                         HeaderColumns{"Results", Kind::Ks, 9, 17, 21, 35, 63}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(HeaderLayout, EachKindWritesOnlyTheFieldsItCarries) {
    const RaceHeader h = FullHeader();
    const std::string de = HeaderLine(Kind::De, h);
    EXPECT_EQ(Field(de, 23, 12), "1535" + Sjis("芝右") + "1600");
    EXPECT_EQ(Field(de, 91, 3), "   ");

    const std::string ut = HeaderLine(Kind::Ut, h);
    EXPECT_EQ(Field(ut, 23, 4), "    "); // no start time
    EXPECT_EQ(Field(ut, 27, 4), "1600");
    EXPECT_EQ(Field(ut, 87, 2), "16");

    const std::string zo = HeaderLine(Kind::Zo, h);
    EXPECT_EQ(Field(zo, 9, 20), std::string(20, ' '));
    EXPECT_EQ(Field(zo, 45, 4), "1435");
    EXPECT_EQ(Field(zo, 141, 2), "16");
    EXPECT_EQ(Field(HeaderLine(Kind::Uo, h), 45, 4), "1435");

    EXPECT_EQ(Field(HeaderLine(Kind::Ks, h), 23, 12), std::string(12, ' '));
}

TEST(RaceCardWriter, PutsRunnerSlotsEvery48BytesFrom94) {
    RaceCardFile file;
    file.runners[0] = {"1",  " 1",  "9", Padded(Sjis("ｻｸﾗｽﾀｰ"), 18), Padded(Sjis("佐藤健一"), 18),
                       "10", "55.0"};
    file.runners[17] = {"8",  "18",  "8", Padded(Sjis("ハルカゼ"), 18), Padded(Sjis("田中翔"), 18),
                        "  ", "57.0"};
    const std::string line = Line1(file);
    ASSERT_EQ(line.size(), 957u);
    EXPECT_EQ(Field(line, 94, 4), "1 19");
    EXPECT_EQ(Field(line, 99, 18), file.runners[0].horseName);
    EXPECT_EQ(Field(line, 117, 18), file.runners[0].jockey);
    EXPECT_EQ(Field(line, 135, 6), "1055.0");
    EXPECT_EQ(Field(line, 910, 4), "8188");
    EXPECT_EQ(Field(line, 915, 18), file.runners[17].horseName);
    EXPECT_EQ(Field(line, 951, 6), "  57.0");
}

TEST(BodyWeightWriter, PutsRunnerSlotsEvery10BytesFrom89) {
    BodyWeightFile file;
    file.runners[0] = {" 1", " ", "486", " 4", "1"};
    file.runners[17] = {"18", "9", "", "", ""};
    const std::string line = Line1(file);
    ASSERT_EQ(line.size(), 268u);
    EXPECT_EQ(Field(line, 89, 10), " 1 486 41 ");
    EXPECT_EQ(Field(line, 259, 10), "189       ");
}

TEST(WinPlaceWriter, PutsRunnerSlotsAndBracketCombinations) {
    WinPlaceBracketFile file;
    file.runners[0] = {" 1", "  3.4", "  1.2", "  1.8"};
    file.runners[17] = {"18", CancelledOdds(5), "     ", "     "};
    file.brackets[0] = {BracketKey(1, 1), " 12.5"};
    file.brackets[35] = {BracketKey(8, 8), CancelledOdds(5)};
    const std::string line = Line1(file);
    ASSERT_EQ(line.size(), 827u);
    EXPECT_EQ(Field(line, 144, 18), " 1  3.4  1.2  1.8 ");
    EXPECT_EQ(Field(line, 450, 7), "18 " + Sjis("ﾄﾘｹｼ"));
    EXPECT_EQ(Field(line, 468, 10), " 1-1 12.5 ");
    EXPECT_EQ(Field(line, 818, 9), " 8-8 " + Sjis("ﾄﾘｹｼ"));
}

TEST(QuinellaWideWriter, PutsCombinationsEvery25BytesFrom147) {
    QuinellaWideFile file;
    file.combinations[0] = {HorsePair(1, 2), "  45.6", "  12.3", "  20.1"};
    file.combinations[152] = {HorsePair(17, 18), CancelledOdds(6), CancelledOdds(6),
                              CancelledOdds(6)};
    const std::string line = Line1(file);
    ASSERT_EQ(line.size(), 3971u);
    EXPECT_EQ(Field(line, 147, 25), "01-02  45.6  12.3  20.1  ");
    EXPECT_EQ(Field(line, 3947, 11), "17-18  " + Sjis("ﾄﾘｹｼ"));
    EXPECT_EQ(Field(line, 3964, 6), "  " + Sjis("ﾄﾘｹｼ"));
}

ResultsFile FilledResults(std::size_t length) {
    ResultsFile file;
    file.length = length;
    file.win = {{{" 3", "     340"}, {" 7", "     990"}, {}}};
    file.place[4] = {"12", "    1230"};
    file.bracketQuinella[2] = {"3-5", "    5670"};
    file.quinella[0] = {"03-07", "   12340"};
    file.wide[9] = {"07-12", "     880"};
    file.refunds = {" 5", "11", "", "", ""};
    return file;
}

struct ResultsCase {
    const char* name;
    std::size_t length;
    std::size_t offset;
};
void PrintTo(const ResultsCase& row, std::ostream* os) {
    *os << row.name;
}

class ResultsWriter : public testing::TestWithParam<ResultsCase> {};

TEST_P(ResultsWriter, MovesPayoutsByTwoColumnsInAFileLargerThan800Bytes) {
    const auto& c = GetParam();
    const std::string line = Line1(FilledResults(c.length));
    ASSERT_EQ(line.size(), c.length);
    const std::size_t o = c.offset;
    EXPECT_EQ(ResultsOffset(c.length), o);
    EXPECT_EQ(Field(line, 376 + o, 10), " 3     340");
    EXPECT_EQ(Field(line, 386 + o, 10), " 7     990");
    EXPECT_EQ(Field(line, 446 + o, 10), "12    1230");
    EXPECT_EQ(Field(line, 481 + o, 11), "3-5    5670");
    EXPECT_EQ(Field(line, 493 + o, 13), "03-07   12340");
    EXPECT_EQ(Field(line, 661 + o, 13), "07-12     880");
}

INSTANTIATE_TEST_SUITE_P(Sizes, ResultsWriter,
                         testing::Values(ResultsCase{"Shortest", 684, 0},
                                         ResultsCase{"Exactly800Bytes", 798, 0},
                                         ResultsCase{"Just801Bytes", 799, 2},
                                         ResultsCase{"Long", 900, 2}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(ResultsWriter, WritesRefundsOnlyWithoutTheOffset) {
    EXPECT_EQ(Field(Line1(FilledResults(798)), 675, 10), " 511      ");
    // With the offset the last wide payout ends on byte 675.
    EXPECT_EQ(Field(Line1(FilledResults(799)), 676, 10), std::string(10, ' '));
}

TEST(ValueFormats, OddsAreRightAlignedWithOneDecimal) {
    EXPECT_EQ(OddsText(34, 5), "  3.4");
    EXPECT_EQ(OddsText(125, 5), " 12.5");
    EXPECT_EQ(OddsText(1234, 5), "123.4");
    EXPECT_EQ(OddsText(0, 5), "  0.0");
    EXPECT_EQ(OddsText(99999, 6), "9999.9");
    EXPECT_THROW(OddsText(10000, 5), std::length_error);
    EXPECT_EQ(CancelledOdds(5), std::string(" \xC4\xD8\xB9\xBC"));
    EXPECT_EQ(CancelledOdds(6), std::string("  \xC4\xD8\xB9\xBC"));
}

TEST(ValueFormats, NumbersCodesAndPairs) {
    EXPECT_EQ(NumberText(5, 2), " 5");
    EXPECT_EQ(NumberText(12340, 8), "   12340");
    EXPECT_EQ(TwoDigits(5), "05");
    EXPECT_EQ(HorsePair(3, 17), "03-17");
    EXPECT_EQ(BracketPair(3, 5), "3-5");
    EXPECT_EQ(BracketKey(3, 5), " 3-5");
    EXPECT_EQ(Padded(Sjis("武豊"), 6), Sjis("武豊") + "  ");
    EXPECT_THROW(Padded("abc", 2), std::length_error);
}

TEST(CombinationOrder, BracketsThenHorsesInKeyOrder) {
    const auto brackets = BracketPairs();
    EXPECT_EQ(brackets[0], Pair(1, 1));
    EXPECT_EQ(brackets[7], Pair(1, 8));
    EXPECT_EQ(brackets[8], Pair(2, 2));
    EXPECT_EQ(brackets[35], Pair(8, 8));
    const auto horses = HorsePairs();
    EXPECT_EQ(horses[0], Pair(1, 2));
    EXPECT_EQ(horses[16], Pair(1, 18));
    EXPECT_EQ(horses[17], Pair(2, 3));
    EXPECT_EQ(horses[152], Pair(17, 18));
}

struct NameCase {
    const char* name;
    MeetingKeys keys;
    int race;
    const char* raceCard;
    const char* results;
};
void PrintTo(const NameCase& row, std::ostream* os) {
    *os << row.name;
}

class DataFileNames : public testing::TestWithParam<NameCase> {};

TEST_P(DataFileNames, FollowThePathRule) {
    const NameCase& c = GetParam();
    EXPECT_EQ(DataFileName(Kind::De, c.keys, c.race), c.raceCard);
    EXPECT_EQ(DataFileName(Kind::Ks, c.keys, c.race), c.results);
    const std::string tail = std::string(c.raceCard).substr(3);
    EXPECT_EQ(DataFileName(Kind::Ut, c.keys, c.race), "Ut-" + tail);
    EXPECT_EQ(DataFileName(Kind::Zo, c.keys, c.race), "Zo-" + tail);
    EXPECT_EQ(DataFileName(Kind::Uo, c.keys, c.race), "Uo-" + tail);
}

INSTANTIATE_TEST_SUITE_P(
    Meetings, DataFileNames,
    testing::Values(
        NameCase{"Sapporo", {1, 3, 4, 2}, 12, "De-12c.jra", "Ks-1342c.jra"},
        NameCase{"Tokyo", {5, 2, 3, 8}, 11, "De-58b.jra", "Ks-5238b.jra"},
        NameCase{"KokuraMultiDigitKeys", {10, 4, 12, 10}, 1, "De-a101.jra", "Ks-a412101.jra"},
        NameCase{"ZeroKeys", {9, 0, 0, 0}, 9, "De-909.jra", "Ks-90009.jra"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(DataFileNames, MeetingIndexFilesAreUyAToUyF) {
    EXPECT_EQ(MeetingIndexName(1), "Uy-a.jra");
    EXPECT_EQ(MeetingIndexName(4), "Uy-d.jra");
    EXPECT_EQ(MeetingIndexName(6), "Uy-f.jra");
    EXPECT_THROW(MeetingIndexName(7), std::out_of_range);
}

TEST(WriteDataFile, WritesLineOneAndCrLf) {
    test::TempFolder folder;
    WriteDataFile(folder.path(), "Ks-5238b.jra", Line1(FilledResults(798)));
    const std::string bytes = folder.Read("Ks-5238b.jra");
    EXPECT_EQ(bytes.size(), 800u);
    EXPECT_EQ(bytes.substr(798), "\r\n");
}

} // namespace
} // namespace mv::sample
