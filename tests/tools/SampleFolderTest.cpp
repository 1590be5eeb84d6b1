#include "tools/SampleFolder.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/Fields.h"
#include "platform/FileQuery.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>

namespace mv::sample {
namespace {

// Every file of a folder by name, with its bytes.
std::map<std::string, std::string> Contents(const test::TempFolder& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder.osPath())) {
        const std::string name = entry.path().filename().string();
        files[name] = folder.Read(name);
    }
    return files;
}

TEST(SampleFolderGenerator, SameSeedWritesTheSameBytesAndAnotherSeedOtherValues) {
    test::TempFolder first;
    test::TempFolder second;
    test::TempFolder other;
    WriteSampleFolder(first.path());
    WriteSampleFolder(second.path());
    WriteSampleFolder(other.path(), DefaultSampleSeed + 1);
    const auto files = Contents(first);
    EXPECT_EQ(files, Contents(second));

    const auto otherFiles = Contents(other);
    ASSERT_EQ(files.size(), otherFiles.size());
    EXPECT_NE(files, otherFiles);
    // The seed changes values, not which races have which files.
    for (const auto& [name, bytes] : files) {
        EXPECT_EQ(otherFiles.count(name), 1u) << name;
    }
}

// The sample folder, written once and read back through the viewer's own file access.
class SampleFolderContent : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<test::TempFolder>();
        WriteSampleFolder(folder_->path());
    }
    static void TearDownTestSuite() { folder_.reset(); }

    static std::string Line(const std::string& name) {
        return LineAt(ReadLines(folder_->path() + name), 0);
    }
    static MeetingKeys KeysOf(int slot) {
        const std::string line = Line(MeetingIndexName(slot));
        return {StrToIntStrict(Field(line, 59, 2)), StrToIntStrict(Field(line, 64, 1)),
                StrToIntStrict(Field(line, 65, 2)), StrToIntStrict(Field(line, 67, 2))};
    }
    static std::string Name(int slot, Kind kind, int race) {
        return DataFileName(kind, KeysOf(slot), race);
    }
    static bool Has(int slot, Kind kind, int race) {
        return FileExists(folder_->path() + Name(slot, kind, race));
    }
    static std::string Line(int slot, Kind kind, int race) { return Line(Name(slot, kind, race)); }

    static inline std::unique_ptr<test::TempFolder> folder_;
};

constexpr std::array<int, 3> Slots{1, 2, 4};
constexpr std::array<Kind, 5> Kinds{Kind::De, Kind::Ut, Kind::Zo, Kind::Uo, Kind::Ks};

const std::string Cancelled = Sjis("ﾄﾘｹｼ");

TEST_F(SampleFolderContent, HasMeetingsInSlotsOneTwoAndTheDayBeforeSlotFour) {
    std::set<int> venues;
    for (int slot = 1; slot <= 6; ++slot) {
        const bool expected = slot == 1 || slot == 2 || slot == 4;
        ASSERT_EQ(FileExists(folder_->path() + MeetingIndexName(slot)), expected) << slot;
        if (expected) {
            const int venue = KeysOf(slot).venueCode;
            EXPECT_GE(venue, 1);
            EXPECT_LE(venue, 10);
            venues.insert(venue);
        }
    }
    EXPECT_EQ(venues.size(), 3u);
}

TEST_F(SampleFolderContent, NoTwoMeetingsShareAFileName) {
    std::size_t expected = Slots.size(); // the meeting index files
    for (const SampleMeeting& meeting : SampleMeetings()) {
        for (const SampleRace& race : meeting.races) {
            expected +=
                static_cast<std::size_t>(race.raceCard.has_value() + race.bodyWeights.has_value() +
                                         race.winPlace.has_value() + race.quinellaWide.has_value() +
                                         race.results.has_value());
        }
    }
    EXPECT_EQ(Contents(*folder_).size(), expected);
}

TEST_F(SampleFolderContent, EveryHeaderCarriesItsMeetingAndRace) {
    for (int slot : Slots) {
        const MeetingKeys keys = KeysOf(slot);
        for (int race = 1; race <= 12; ++race) {
            for (Kind kind : Kinds) {
                if (!Has(slot, kind, race)) {
                    continue;
                }
                const std::string line = Line(slot, kind, race);
                const bool layoutB = kind == Kind::Zo || kind == Kind::Uo;
                const std::size_t shift = layoutB ? 20 : 0;
                SCOPED_TRACE(Name(slot, kind, race));
                EXPECT_EQ(StrToIntStrict(Field(line, 17 + shift, 2)), keys.key1);
                EXPECT_EQ(StrToIntStrict(Field(line, 19 + shift, 2)), keys.key2);
                EXPECT_EQ(StrToIntStrict(Field(line, 21 + shift, 2)), race);
            }
        }
    }
}

struct PartialRace {
    const char* name;
    int slot;
    int race;
    std::array<bool, 5> kinds; // De, Ut, Zo, Uo, Ks
};
void PrintTo(const PartialRace& row, std::ostream* os) {
    *os << row.name;
}

class SampleFolderPartialRaces : public SampleFolderContent,
                                 public testing::WithParamInterface<PartialRace> {};

TEST_P(SampleFolderPartialRaces, HaveOnlyTheirKinds) {
    const PartialRace& p = GetParam();
    for (std::size_t k = 0; k < Kinds.size(); ++k) {
        EXPECT_EQ(Has(p.slot, Kinds[k], p.race), p.kinds[k]) << Name(p.slot, Kinds[k], p.race);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Races, SampleFolderPartialRaces,
    testing::Values(PartialRace{"ResultsOnly", 2, 1, {false, false, false, false, true}},
                    PartialRace{"RaceCardAndOddsOnly", 2, 5, {true, false, true, false, false}},
                    PartialRace{"NoQuinellaOdds", 2, 9, {true, true, true, false, true}},
                    PartialRace{"NoResultsYet", 1, 12, {true, true, true, true, false}},
                    PartialRace{"Complete", 4, 12, {true, true, true, true, true}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SampleFolderContent, ResultsFilesLieOnBothSidesOf800Bytes) {
    const auto size = [](int slot, int race) {
        return FileSizeByName(folder_->path() + Name(slot, Kind::Ks, race)).value_or(0);
    };
    EXPECT_GT(size(2, 2), 800u);
    EXPECT_LE(size(1, 3), 800u);
    EXPECT_GT(size(1, 3), 686u); // long enough for the refund slots
}

// The slot (1-based) of the runner whose status byte in the race card or body-weight file is
// the code; 0 when there is none.
int SlotWithStatus(const std::string& line, std::size_t first, std::size_t stride, char code) {
    for (std::size_t s = 0; s < RunnerSlots; ++s) {
        if (Field(line, first + stride * s, 1) == std::string(1, code)) {
            return static_cast<int>(s) + 1;
        }
    }
    return 0;
}

TEST_F(SampleFolderContent, RunnerScratchedInTheRaceCardIsCancelledAndRefunded) {
    const int slot = SlotWithStatus(Line(1, Kind::De, 3), 97, 48, '9');
    ASSERT_NE(slot, 0);
    const std::string zo = Line(1, Kind::Zo, 3);
    const std::size_t b = 18 * static_cast<std::size_t>(slot - 1);
    EXPECT_EQ(Field(zo, 147 + b, 4), Cancelled);
    EXPECT_EQ(Field(zo, 472, 5), " " + Cancelled);                    // bracket pair 1-1
    EXPECT_EQ(Field(Line(1, Kind::Uo, 3), 152, 6), "  " + Cancelled); // horse pair 1-2
    EXPECT_EQ(Field(Line(1, Kind::Ks, 3), 675, 2), NumberText(slot, 2));
}

TEST_F(SampleFolderContent, RunnerScratchedInTheBodyWeightsOnlyIsRefunded) {
    const int slot = SlotWithStatus(Line(1, Kind::Ut, 7), 91, 10, '9');
    ASSERT_NE(slot, 0);
    const std::size_t s = static_cast<std::size_t>(slot - 1);
    EXPECT_NE(Field(Line(1, Kind::De, 7), 97 + 48 * s, 1), "9");
    EXPECT_EQ(Field(Line(1, Kind::Zo, 7), 147 + 18 * s, 4), Cancelled);
    EXPECT_EQ(Field(Line(1, Kind::Ks, 7), 675, 2), NumberText(slot, 2));
}

TEST_F(SampleFolderContent, HasAJockeyChange) {
    EXPECT_NE(SlotWithStatus(Line(1, Kind::De, 5), 97, 48, '8'), 0);
}

TEST_F(SampleFolderContent, HasWinAndCombinationOddsBelowOne) {
    const std::string zo = Line(1, Kind::Zo, 11);
    bool winBelowOne = false;
    for (std::size_t s = 0; s < RunnerSlots; ++s) {
        const std::string win = Field(zo, 146 + 18 * s, 5);
        winBelowOne |= win != "     " && StrToFloatStrict(win) < 1.0;
    }
    EXPECT_TRUE(winBelowOne);
    const std::string uo = Line(1, Kind::Uo, 11);
    bool quinellaBelowOne = false;
    for (std::size_t i = 0; i < HorseCombinations; ++i) {
        const std::string odds = Field(uo, 152 + 25 * i, 6);
        quinellaBelowOne |= odds != "      " && StrToFloatStrict(odds) < 1.0;
    }
    EXPECT_TRUE(quinellaBelowOne);
}

TEST_F(SampleFolderContent, DeadHeatFillsTwoWinSlots) {
    const std::string ks = Line(1, Kind::Ks, 9);
    EXPECT_NE(Field(ks, 376, 2), "  ");
    EXPECT_NE(Field(ks, 386, 2), "  ");
    EXPECT_EQ(Field(ks, 396, 2), "  ");
    // An ordinary race has one winner.
    EXPECT_EQ(Field(Line(1, Kind::Ks, 8), 386, 2), "  ");
}

TEST_F(SampleFolderContent, HasFullWidthAndHalfWidthHorseNames) {
    const std::string de = Line(1, Kind::De, 2);
    EXPECT_EQ(static_cast<unsigned char>(Field(de, 99 + 48, 1)[0]), 0x83); // katakana lead byte
    const unsigned char first = static_cast<unsigned char>(Field(de, 99, 1)[0]);
    EXPECT_TRUE(first >= 0xA1 && first <= 0xDF);
}

// Every code the race card and body-weight columns distinguish shows up somewhere.
TEST_F(SampleFolderContent, UsesEveryApprenticeAndWeightChangeCode) {
    std::set<std::string> apprentice;
    std::set<std::string> sign;
    for (int slot : Slots) {
        for (int race = 1; race <= 12; ++race) {
            for (std::size_t s = 0; s < RunnerSlots; ++s) {
                if (Has(slot, Kind::De, race)) {
                    apprentice.insert(Field(Line(slot, Kind::De, race), 135 + 48 * s, 2));
                }
                if (Has(slot, Kind::Ut, race)) {
                    sign.insert(Field(Line(slot, Kind::Ut, race), 97 + 10 * s, 1));
                }
            }
        }
    }
    for (const char* code : {"10", "20", "30", "00", "  "}) {
        EXPECT_EQ(apprentice.count(code), 1u) << code;
    }
    for (const char* code : {"1", "2", "3", "7"}) {
        EXPECT_EQ(sign.count(code), 1u) << code;
    }
}

// Each odds field holds right-aligned odds, the cancellation mark or blanks, and the numbers
// sit within the range the betting software shows.
TEST_F(SampleFolderContent, EveryOddsFieldIsNumberCancelledOrBlank) {
    const auto check = [](const std::string& field, bool& sawBlank, bool& sawCancelled) {
        if (field == std::string(field.size(), ' ')) {
            sawBlank = true;
        } else if (field.size() >= 4 && field == std::string(field.size() - 4, ' ') + Cancelled) {
            sawCancelled = true;
        } else {
            EXPECT_NO_THROW(StrToFloatStrict(field)) << SjisToUtf8(field);
            EXPECT_EQ(field[field.size() - 2], '.') << field;
        }
    };
    bool blankBracket = false, cancelledBracket = false, blankPair = false, cancelledPair = false;
    for (int slot : Slots) {
        for (int race = 1; race <= 12; ++race) {
            if (Has(slot, Kind::Zo, race)) {
                const std::string zo = Line(slot, Kind::Zo, race);
                for (std::size_t i = 0; i < BracketCombinations; ++i) {
                    check(Field(zo, 472 + 10 * i, 5), blankBracket, cancelledBracket);
                }
            }
            if (Has(slot, Kind::Uo, race)) {
                const std::string uo = Line(slot, Kind::Uo, race);
                for (std::size_t i = 0; i < HorseCombinations; ++i) {
                    check(Field(uo, 152 + 25 * i, 6), blankPair, cancelledPair);
                    check(Field(uo, 158 + 25 * i, 6), blankPair, cancelledPair);
                }
            }
        }
    }
    EXPECT_TRUE(cancelledBracket);
    EXPECT_TRUE(blankPair);
    EXPECT_TRUE(cancelledPair);
}

} // namespace
} // namespace mv::sample
