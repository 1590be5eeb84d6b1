// The portable sort comparison and full-width mapping against the system's, under the
// Japanese user locale: on the recorded vectors and on random texts of the characters the data
// files and the viewer's own lines hold. Disagreements are listed, the counts always printed.

#include "platform/Codec.h"
#include "platform/Collation.h"
#include "platform/FullWidth.h"
#include "support/VectorFiles.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <windows.h>

namespace mv {
namespace {

using test::FromHex;
using test::Readable;

int Sign(int v) {
    return (v > 0) - (v < 0);
}

// Counts the cases and keeps the first few disagreements for the report.
class Tally {
public:
    explicit Tally(const char* what) : what_(what) {}
    ~Tally() {
        std::printf("%s: %d cases, %d agree, %d disagree\n", what_, cases_, cases_ - failed_,
                    failed_);
    }
    Tally(const Tally&) = delete;
    Tally& operator=(const Tally&) = delete;

    void Check(bool agree, const std::string& detail) {
        ++cases_;
        if (!agree && ++failed_ <= 20) {
            ADD_FAILURE() << what_ << ": " << detail;
        }
    }
    int failed() const { return failed_; }

private:
    const char* what_;
    int cases_ = 0;
    int failed_ = 0;
};

void CompareBoth(Tally& tally, const std::string& a, const std::string& b) {
    const int system = Sign(CompareRowText(a, b));
    const int portable = Sign(PortableCompareRowText(a, b));
    tally.Check(system == portable, Readable(a) + " vs " + Readable(b) + ": system " +
                                        std::to_string(system) + ", portable " +
                                        std::to_string(portable));
}

void MapBoth(Tally& tally, const std::string& text) {
    const std::string system = ToFullWidth(text);
    const std::string portable = PortableToFullWidth(text);
    tally.Check(system == portable, Readable(text) + ": system " + Readable(system) +
                                        ", portable " + Readable(portable));
}

TEST(Locale, IsTheJapaneseUserLocale) {
    std::printf("GetUserDefaultLCID = 0x%04lX, GetACP = %u\n",
                static_cast<unsigned long>(::GetUserDefaultLCID()), ::GetACP());
    ASSERT_EQ(::GetUserDefaultLCID(), 0x0411u);
    ASSERT_EQ(::GetACP(), 932u);
}

TEST(Locale, SystemAndPortableAgreeOnTheRecordedVectors) {
    Tally recorded("recorded pairs, system against the recording");
    Tally pairs("recorded pairs, system against portable");
    for (const auto& r : test::ReadVectorRecords("collation.tsv")) {
        const std::string a = FromHex(r.at(0));
        const std::string b = FromHex(r.at(1));
        recorded.Check(Sign(CompareRowText(a, b)) == std::stoi(r.at(2)),
                       Readable(a) + " vs " + Readable(b));
        CompareBoth(pairs, a, b);
    }
    Tally blocks("recorded sorted blocks, system order");
    std::vector<std::string> block;
    auto records = test::ReadVectorRecords("sorted_lines.txt");
    records.emplace_back();
    for (const auto& r : records) {
        if (!r.empty()) {
            block.push_back(FromHex(r[0]));
            continue;
        }
        auto sorted = block;
        SortRows(sorted);
        blocks.Check(sorted == block, "block starting " + Readable(block.front()));
        block.clear();
    }
    Tally mappings("recorded full-width mappings, system against portable");
    for (const auto& r : test::ReadVectorRecords("fullwidth.tsv")) {
        MapBoth(mappings, FromHex(r.at(0)));
    }
    EXPECT_EQ(recorded.failed() + pairs.failed() + blocks.failed() + mappings.failed(), 0);
}

// The characters of the data files and of the lines the viewer writes.
const std::vector<std::string>& Alphabet() {
    static const std::vector<std::string> alphabet = [] {
        std::vector<std::string> chars;
        for (const char c :
             std::string(" #*-.[]0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) {
            chars.emplace_back(1, c);
        }
        for (int b = 0xA1; b <= 0xDF; ++b) {
            chars.emplace_back(1, static_cast<char>(b));
        }
        for (const char* voiced : {"ｶﾞ", "ｻﾞ", "ﾀﾞ", "ﾄﾞ", "ﾊﾞ", "ﾊﾟ", "ﾎﾟ", "ｳﾞ", "ﾜﾞ", "ｰﾞ"}) {
            chars.push_back(Sjis(voiced));
        }
        for (const char* text :
             {"●",  "出走取消", "▲",    "△",    "☆",    "＋",   "－",   "±",    "Ｒ", "０",
              "１", "９",       "　",   "東京", "中山", "阪神", "京都", "前日", "円", "なし",
              "初", "番",       "現在", "【",   "】",   "：",   "＊",   "［",   "］"}) {
            chars.push_back(Sjis(text));
        }
        return chars;
    }();
    return alphabet;
}

using Units = std::vector<std::string>;

Units RandomUnits(std::mt19937& random) {
    std::uniform_int_distribution<int> length(0, 20);
    std::uniform_int_distribution<std::size_t> pick(0, Alphabet().size() - 1);
    Units units;
    for (int n = length(random); n > 0; --n) {
        units.push_back(Alphabet()[pick(random)]);
    }
    return units;
}

// The second text of a pair: mostly the first with one change, so that differences below the
// first level and in the tail come up as often as wholly different texts.
Units Partner(std::mt19937& random, Units units) {
    std::uniform_int_distribution<int> how(0, 3);
    std::uniform_int_distribution<std::size_t> pick(0, Alphabet().size() - 1);
    const auto at = units.begin() + std::uniform_int_distribution<std::ptrdiff_t>(
                                        0, static_cast<std::ptrdiff_t>(units.size()))(random);
    switch (how(random)) {
    case 0:
        return RandomUnits(random);
    case 1:
        units.insert(at, Alphabet()[pick(random)]);
        return units;
    case 2: {
        const Units tail = RandomUnits(random);
        units.erase(at, units.end());
        units.push_back(Alphabet()[pick(random)]);
        units.insert(units.end(), tail.begin(), tail.end());
        return units;
    }
    default:
        units.push_back(Alphabet()[pick(random)]);
        return units;
    }
}

std::string Joined(const Units& units) {
    std::string text;
    for (const auto& unit : units) {
        text += unit;
    }
    return text;
}

TEST(Locale, SystemAndPortableAgreeOnRandomTexts) {
    constexpr int Pairs = 100000;
    std::mt19937 random(932);
    Tally compare("random pairs, comparison");
    Tally keys("random pairs, system sort key against system comparison");
    Tally map("random texts, full-width mapping");
    for (int i = 0; i < Pairs; ++i) {
        const Units first = RandomUnits(random);
        const std::string a = Joined(first);
        const std::string b = Joined(Partner(random, first));
        CompareBoth(compare, a, b);
        keys.Check(Sign(RowSortKey(a).compare(RowSortKey(b))) == Sign(CompareRowText(a, b)),
                   Readable(a) + " vs " + Readable(b));
        MapBoth(map, a);
    }
    EXPECT_EQ(compare.failed() + keys.failed() + map.failed(), 0);
}

// Texts of any bytes but NUL (a line holds none), invalid sequences included: undefined single
// bytes, lead bytes alone or before a byte no pair has.
std::string RandomBytes(std::mt19937& random) {
    std::string text(std::uniform_int_distribution<std::size_t>(0, 16)(random), '\0');
    for (char& c : text) {
        c = static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random));
    }
    return text;
}

// Mostly the first text with one byte changed, added or removed, so that close texts come up.
std::string NearBytes(std::mt19937& random, std::string text) {
    const auto byte = [&] {
        return static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random));
    };
    const auto at = [&](std::size_t size) {
        return std::uniform_int_distribution<std::size_t>(0, size)(random);
    };
    switch (std::uniform_int_distribution<int>(0, 3)(random)) {
    case 0:
        return RandomBytes(random);
    case 1:
        if (!text.empty()) {
            text[at(text.size() - 1)] = byte();
        }
        return text;
    case 2:
        text.insert(text.begin() + static_cast<std::ptrdiff_t>(at(text.size())), byte());
        return text;
    default:
        if (!text.empty()) {
            text.erase(text.begin() + static_cast<std::ptrdiff_t>(at(text.size() - 1)));
        }
        return text;
    }
}

TEST(Locale, SystemAndPortableAgreeOnRandomBytes) {
    constexpr int Cases = 100000;
    std::mt19937 random(2026);
    Tally compare("random byte pairs, comparison");
    Tally keys("random byte texts, portable sort key against the system's");
    Tally map("random byte texts, full-width mapping");
    for (int i = 0; i < Cases; ++i) {
        const std::string a = RandomBytes(random);
        const std::string b = NearBytes(random, a);
        CompareBoth(compare, a, b);
        keys.Check(PortableRowSortKey(a) == RowSortKey(a) + '\0', Readable(a));
        MapBoth(map, b);
    }
    EXPECT_EQ(compare.failed() + keys.failed() + map.failed(), 0);
}

// Texts of single-byte characters only, as panel lines mostly are (digits, blanks, points,
// hyphens, letters, half-width katakana): their keys are made apart from those of other texts.
TEST(Locale, SystemAndPortableAgreeOnSingleByteTexts) {
    constexpr int Cases = 50000;
    std::mt19937 random(58);
    Tally keys("single-byte texts, portable sort key against the system's");
    for (int i = 0; i < Cases; ++i) {
        std::string text(std::uniform_int_distribution<std::size_t>(0, 40)(random), '\0');
        const bool ascii = i % 2 == 0;
        for (char& c : text) {
            const int byte = std::uniform_int_distribution<int>(1, ascii ? 0x7F : 0xDF)(random);
            c = static_cast<char>(byte >= 0x80 && byte < 0xA1 ? byte - 0x60 : byte);
        }
        keys.Check(PortableRowSortKey(text) == RowSortKey(text) + '\0', Readable(text));
    }
    EXPECT_EQ(keys.failed(), 0);
}

} // namespace
} // namespace mv
