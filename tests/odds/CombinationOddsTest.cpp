#include "odds/CombinationOdds.h"

#include "odds/OddsFolder.h"
#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/TextFile.h"
#include "tools/SampleFolder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

namespace mv {
namespace {

using sample::CancelledOdds;
using sample::Kind;
using sample::OddsText;

// One combination as the writers received it.
struct Offer {
    std::string key;   // as a panel line shows it
    std::string value; // the odds text; for wide lower "-" upper
    std::string lower; // the text that decides the form
    bool blank;
    bool cancelled;
};

// What differs between the panels of the bet types, as the lines show it.
struct PanelStyle {
    const char* name;
    std::string rankGap;
    bool threeDigitRanks;
    std::string cancelledText;
    std::string belowOnePadding;
    bool cancelledBeforeBelowOne;
    std::size_t groupBytes;
    std::string separator;
};

std::string Rank(int n, bool threeDigits) {
    const std::string digits = std::to_string(n);
    if (!threeDigits) {
        return (n <= 9 ? "[ " : "[") + digits + "]";
    }
    return (n <= 9 ? "[  " : n <= 99 ? "[ " : "[") + digits + "]";
}

// The sorted cache: ranked lines by odds, then key; then the cancelled and the below-one lines
// in the type's order. The normal cache: the lines by key, a separator between groups.
std::pair<std::string, std::string> ExpectedCaches(const std::vector<Offer>& offers,
                                                   const PanelStyle& style) {
    const int cancelledGroup = style.cancelledBeforeBelowOne ? 1 : 2;
    std::vector<std::tuple<int, std::string, Offer>> shown;
    for (const Offer& o : offers) {
        if (o.cancelled) {
            shown.emplace_back(cancelledGroup, o.key, o);
        } else if (!o.blank) {
            const bool ranked = std::stod(o.lower) >= 1;
            shown.emplace_back(ranked ? 0 : 3 - cancelledGroup,
                               (ranked ? o.value : o.value.substr(2)) + o.key, o);
        }
    }
    std::sort(shown.begin(), shown.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    std::vector<std::string> sorted;
    int rank = 0;
    for (const auto& [group, order, o] : shown) {
        if (o.cancelled) {
            sorted.push_back(o.key + " " + style.cancelledText);
        } else if (group == 0) {
            sorted.push_back(o.key + " " + o.value + style.rankGap +
                             Rank(++rank, style.threeDigitRanks));
        } else {
            sorted.push_back(o.key + "   " + o.value.substr(2) + style.belowOnePadding);
        }
    }
    std::vector<std::string> byKey = sorted;
    std::sort(byKey.begin(), byKey.end());
    std::vector<std::string> normal;
    for (const std::string& line : byKey) {
        const std::size_t g = style.groupBytes;
        if (!normal.empty() && line.substr(0, g) != normal.back().substr(0, g)) {
            normal.push_back(style.separator);
        }
        normal.push_back(line);
    }
    return {test::CrLfLines(sorted), test::CrLfLines(normal)};
}

std::vector<Offer> Offers(const sample::SampleRace& race, const std::string& type) {
    std::vector<Offer> offers;
    for (const auto& b : race.winPlace->brackets) {
        if (type == "MvZO") {
            offers.push_back(
                {b.key.substr(1), b.odds, b.odds, b.odds.empty(), b.odds == CancelledOdds(5)});
        }
    }
    for (const auto& c : race.quinellaWide->combinations) {
        if (type == "MvUO") {
            offers.push_back({c.key, c.quinella, c.quinella, c.quinella.empty(),
                              c.quinella == CancelledOdds(6)});
        } else if (type == "MvKO") {
            offers.push_back({c.key, c.wideLow + "-" + c.wideHigh, c.wideLow,
                              c.wideLow.empty() && c.wideHigh.empty(),
                              c.wideLow == CancelledOdds(6) && c.wideHigh == CancelledOdds(6)});
        }
    }
    return offers;
}

TEST(CombinationOdds, SampleRacesGiveRankedAndGroupedCaches) {
    const PanelStyle styles[] = {
        {"MvZO", "", false, Sjis(" ﾄﾘｹｼ    "), "    ", false, 1, "-------------"},
        {"MvUO", " ", true, Sjis("  ﾄﾘｹｼ     "), "     ", true, 2, "------------------"},
        {"MvKO", " ", true, Sjis("  ﾄﾘｹｼ-  ﾄﾘｹｼ     "), "     ", true, 2,
         "-------------------------"}};
    test::OddsFolder folder;
    int cancelled = 0;
    int blank = 0;
    for (const auto& meeting : sample::SampleMeetings()) {
        for (const auto& race : meeting.races) {
            if (!race.winPlace || !race.quinellaWide) {
                continue;
            }
            SCOPED_TRACE("slot " + std::to_string(meeting.slot) + " race " +
                         std::to_string(race.number));
            folder.Select(meeting.keys, race.number);
            folder.Write(Kind::Zo, sample::Line1(*race.winPlace));
            folder.Write(Kind::Uo, sample::Line1(*race.quinellaWide));
            ReadBracketQuinellaOdds(folder.state);
            ReadQuinellaOdds(folder.state);
            ReadWideOdds(folder.state);
            for (const PanelStyle& style : styles) {
                const auto offers = Offers(race, style.name);
                const auto [sorted, normal] = ExpectedCaches(offers, style);
                EXPECT_EQ(folder.Cache(std::string(style.name) + "So.dat"), sorted) << style.name;
                EXPECT_EQ(folder.Cache(std::string(style.name) + "No.dat"), normal) << style.name;
                for (const Offer& o : offers) {
                    cancelled += o.cancelled;
                    blank += o.blank;
                }
            }
        }
    }
    EXPECT_TRUE(cancelled > 0 && blank > 0) << "the sample no longer holds every form";
}

// Every combination on sale, at rising odds from 1.0 in combination order.
sample::WinPlaceBracketFile FullBracketFile() {
    sample::WinPlaceBracketFile f;
    const auto pairs = sample::BracketPairs();
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        f.brackets[i] = {sample::BracketKey(pairs[i].first, pairs[i].second),
                         OddsText(10 + static_cast<int>(i), 5)};
    }
    return f;
}

sample::QuinellaWideFile FullQuinellaWideFile() {
    sample::QuinellaWideFile f;
    const auto pairs = sample::HorsePairs();
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const int tenths = 10 + static_cast<int>(i);
        f.combinations[i] = {sample::HorsePair(pairs[i].first, pairs[i].second),
                             OddsText(tenths, 6), OddsText(tenths, 6), OddsText(tenths + 5, 6)};
    }
    return f;
}

class CombinationOddsFile : public testing::Test {
protected:
    Lines CacheLines(const std::string& name) { return ReadLines(folder.state.CachePath(name)); }
    test::OddsFolder folder;
};

TEST_F(CombinationOddsFile, AllNumericBracketQuinellaRanks36InFirstBracketGroups) {
    folder.Write(Kind::Zo, sample::Line1(FullBracketFile()));
    ReadBracketQuinellaOdds(folder.state);

    const Lines sorted = CacheLines("MvZOSo.dat");
    ASSERT_EQ(sorted.size(), 36u);
    EXPECT_EQ(sorted[0], "1-1   1.0[ 1]");
    EXPECT_EQ(sorted[8], "2-2   1.8[ 9]");
    EXPECT_EQ(sorted[9], "2-3   1.9[10]");
    EXPECT_EQ(sorted[35], "8-8   4.5[36]");
    const Lines normal = CacheLines("MvZONo.dat");
    ASSERT_EQ(normal.size(), 43u);
    EXPECT_EQ(normal[7], "1-8   1.7[ 8]");
    EXPECT_EQ(normal[8], "-------------");
    EXPECT_EQ(std::count(normal.begin(), normal.end(), "-------------"), 7);
}

TEST_F(CombinationOddsFile, BracketQuinellaBelowOneThenCancelledFollowTheRanked) {
    auto file = FullBracketFile();
    file.brackets[0].odds = OddsText(0, 5);   // 1-1
    file.brackets[1].odds = CancelledOdds(5); // 1-2
    file.brackets[2].odds = "";               // 1-3, not on sale
    file.brackets[3].odds = OddsText(10, 5);  // 1-4 at exactly 1.0, as 1-1 was
    folder.Write(Kind::Zo, sample::Line1(file));
    ReadBracketQuinellaOdds(folder.state);

    const Lines sorted = CacheLines("MvZOSo.dat");
    ASSERT_EQ(sorted.size(), 35u);
    EXPECT_EQ(sorted[0], "1-4   1.0[ 1]");
    EXPECT_EQ(sorted[1], "1-5   1.4[ 2]");
    EXPECT_EQ(sorted[33], "1-1   0.0    ");
    EXPECT_EQ(sorted[34], Sjis("1-2  ﾄﾘｹｼ    "));
}

// Whether an odds text ranks (1.0 or more) is decided by its value, in whatever form the
// strict conversion takes it.
TEST_F(CombinationOddsFile, AnOddsTextRanksFromOneInEveryFormItTakes) {
    const struct {
        const char* odds;
        bool ranked;
    } cases[] = {
        {"  1.0", true}, {"  0.9", false}, {"1.0  ", true},  {" 01.0", true},  {"  0.0", false},
        {" 9.99", true}, {" 0.99", false}, {" 1e-1", false}, {" +1.0", true},  {"  -1.", false},
        {"10   ", true}, {"   .9", false}, {"  1. ", true},  {"00000", false}, {" 10.0", true},
    };
    for (const auto& c : cases) {
        auto file = FullBracketFile();
        file.brackets[0].odds = c.odds; // 1-1
        folder.Write(Kind::Zo, sample::Line1(file));
        ReadBracketQuinellaOdds(folder.state);
        const Lines sorted = CacheLines("MvZOSo.dat");
        const auto line = std::find_if(sorted.begin(), sorted.end(),
                                       [](const std::string& l) { return l.starts_with("1-1"); });
        ASSERT_NE(line, sorted.end()) << c.odds;
        EXPECT_EQ(line->ends_with("]"), c.ranked) << c.odds << ": " << *line;
    }
}

TEST_F(CombinationOddsFile, QuinellaAndWideRanksTakeFiveBytes) {
    auto file = FullQuinellaWideFile();
    file.combinations[1].quinella = file.combinations[0].quinella; // equal odds texts
    file.combinations[150].wideLow = file.combinations[150].wideHigh = CancelledOdds(6);
    file.combinations[151].wideLow = OddsText(5, 6);
    file.combinations[152].wideHigh = "  ?x! "; // never converted, shown as read
    folder.Write(Kind::Uo, sample::Line1(file));
    ReadQuinellaOdds(folder.state);
    ReadWideOdds(folder.state);

    const Lines quinella = CacheLines("MvUOSo.dat");
    ASSERT_EQ(quinella.size(), 153u);
    EXPECT_EQ(quinella[0], "01-02    1.0 [  1]");
    EXPECT_EQ(quinella[1], "01-03    1.0 [  2]");
    EXPECT_EQ(quinella[8], "01-10    1.8 [  9]");
    EXPECT_EQ(quinella[9], "01-11    1.9 [ 10]");
    EXPECT_EQ(quinella[99], "08-10   10.9 [100]");
    const Lines wide = CacheLines("MvKOSo.dat");
    ASSERT_EQ(wide.size(), 153u);
    EXPECT_EQ(wide[99], "08-10   10.9-  11.4 [100]");
    EXPECT_EQ(wide[150], "17-18   16.2-  ?x!  [151]");
    EXPECT_EQ(wide[151], Sjis("16-17   ﾄﾘｹｼ-  ﾄﾘｹｼ     "));
    EXPECT_EQ(wide[152], "16-18    0.5-  16.6     ");
    const Lines normal = CacheLines("MvKONo.dat");
    EXPECT_EQ(normal[17], "-------------------------");
}

TEST_F(CombinationOddsFile, CaptionTimeIsCopiedBeforeABadOddsTextFails) {
    auto file = FullBracketFile();
    file.oddsHours = "";
    file.oddsMinutes = "5";
    file.brackets[20].odds = "12abc";
    folder.Write(Kind::Zo, sample::Line1(file));
    try {
        ReadBracketQuinellaOdds(folder.state);
        FAIL() << "a bad odds text was accepted";
    } catch (const Failure& f) {
        EXPECT_EQ(f.message(), Failure::NotFloat("12abc").message());
    }
    EXPECT_EQ(folder.state.window.GBOdds1, Sjis("枠番連勝 [  :5 現在]"));
    EXPECT_FALSE(folder.HasCache("MvZOSo.dat") || folder.HasCache("MvZONo.dat"));
}

TEST_F(CombinationOddsFile, WideWithOnlyTheLowerValueCancelledFails) {
    auto file = FullQuinellaWideFile();
    file.oddsHours = "14";
    file.oddsMinutes = "35";
    file.combinations[4].wideLow = CancelledOdds(6);
    folder.Write(Kind::Uo, sample::Line1(file));
    try {
        ReadWideOdds(folder.state);
        FAIL() << "a cancelled lower value beside a numeric upper one was accepted";
    } catch (const Failure& f) {
        EXPECT_EQ(f.message(), Failure::NotFloat(CancelledOdds(6)).message());
    }
    EXPECT_EQ(folder.state.window.GBOdds3, Sjis("ワイド [14:35現在]"));
    EXPECT_FALSE(folder.HasCache("MvKOSo.dat"));
}

TEST_F(CombinationOddsFile, LineCutShortShowsTheOddsAsReadOrFailsWithoutThem) {
    auto file = FullBracketFile(); // 8-8, the last combination, at 4.5 from byte 822
    file.length = 824;
    folder.Write(Kind::Zo, sample::Line1(file));
    ReadBracketQuinellaOdds(folder.state);
    EXPECT_EQ(CacheLines("MvZOSo.dat").at(30), "8-8   4[31]");

    file.length = 819; // inside the key, so no odds at all
    folder.Write(Kind::Zo, sample::Line1(file));
    try {
        ReadBracketQuinellaOdds(folder.state);
        FAIL() << "missing odds were accepted";
    } catch (const Failure& f) {
        EXPECT_EQ(f.message(), Failure::NotFloat("").message());
    }
}

TEST_F(CombinationOddsFile, AllBlankCombinationsLeaveBothCachesEmpty) {
    folder.Write(Kind::Zo, sample::Line1(sample::WinPlaceBracketFile{}));
    ReadBracketQuinellaOdds(folder.state);
    ASSERT_TRUE(folder.HasCache("MvZOSo.dat") && folder.HasCache("MvZONo.dat"));
    EXPECT_EQ(folder.Cache("MvZOSo.dat"), "");
    EXPECT_EQ(folder.Cache("MvZONo.dat"), "");
}

TEST_F(CombinationOddsFile, WithoutOddsFilesEveryCacheSaysNoData) {
    WriteBracketQuinellaNoData(folder.state);
    WriteQuinellaWideNoData(folder.state);
    for (const char* name :
         {"MvZOSo.dat", "MvZONo.dat", "MvUOSo.dat", "MvUONo.dat", "MvKOSo.dat", "MvKONo.dat"}) {
        EXPECT_EQ(folder.Cache(name), Sjis("DATAなし") + "\r\n") << name;
    }
}

} // namespace
} // namespace mv
