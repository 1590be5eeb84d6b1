#include "platform/Collation.h"

#include "platform/Codec.h"
#include "support/ParamName.h"
#include "support/VectorFiles.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace mv {
namespace {

using test::FromHex;
using test::Readable;

int Sign(int v) {
    return (v > 0) - (v < 0);
}

// Each text sorts strictly before the next.
void ExpectAscending(const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i + 1 < texts.size(); ++i) {
        EXPECT_LT(PortableCompareRowText(texts[i], texts[i + 1]), 0)
            << Readable(texts[i]) << " vs " << Readable(texts[i + 1]);
        EXPECT_GT(PortableCompareRowText(texts[i + 1], texts[i]), 0)
            << Readable(texts[i + 1]) << " vs " << Readable(texts[i]);
    }
}

std::vector<std::string> SjisTexts(std::initializer_list<const char*> utf8) {
    std::vector<std::string> texts;
    for (const char* t : utf8) {
        texts.push_back(Sjis(t));
    }
    return texts;
}

// The blocks of sorted_lines.txt, each in its recorded order.
std::vector<std::vector<std::string>> RecordedBlocks() {
    std::vector<std::vector<std::string>> blocks(1);
    for (const auto& record : test::ReadVectorRecords("sorted_lines.txt")) {
        if (record.empty()) {
            blocks.emplace_back();
        } else {
            blocks.back().push_back(FromHex(record[0]));
        }
    }
    return blocks;
}

TEST(PortableCompareRowText, AgreesWithEveryRecordedPair) {
    const auto records = test::ReadVectorRecords("collation.tsv");
    ASSERT_EQ(records.size(), 28196u);
    int disagreements = 0;
    for (const auto& r : records) {
        ASSERT_EQ(r.size(), 3u);
        const std::string a = FromHex(r[0]);
        const std::string b = FromHex(r[1]);
        const int got = Sign(PortableCompareRowText(a, b));
        if (got != std::stoi(r[2]) && ++disagreements <= 10) {
            ADD_FAILURE() << Readable(a) << " vs " << Readable(b) << ": expected " << r[2]
                          << ", got " << got;
        }
    }
    EXPECT_EQ(disagreements, 0);
}

TEST(PortableCompareRowText, OrdersEveryRecordedBlock) {
    const auto blocks = RecordedBlocks();
    ASSERT_EQ(blocks.size(), 6u);
    for (const auto& block : blocks) {
        ExpectAscending(block);
    }
}

TEST(SortRows, RestoresEveryRecordedBlockFromAShuffle) {
    std::mt19937 random(932);
    for (const auto& block : RecordedBlocks()) {
        for (int round = 0; round < 20; ++round) {
            auto rows = block;
            std::shuffle(rows.begin(), rows.end(), random);
            SortRows(rows);
            EXPECT_EQ(rows, block);
        }
    }
}

TEST(PortableCompareRowText, OrdersBlankPunctuationDigitsLettersKana) {
    ExpectAscending(SjisTexts({"",  " ", "#", "*", ".", "[", "]", "＋",   "●", "☆",  "0", "9",
                               "A", "Z", "Α", "Ω", "А", "Я", "ｱ", "ﾄﾘｹｼ", "ﾝ", "亜", "ｰ"}));
}

TEST(PortableCompareRowText, EmptyTextSortsFirst) {
    EXPECT_EQ(PortableCompareRowText("", ""), 0);
    for (const std::string& text : {std::string("-"), std::string("\x01", 1), std::string("\0", 1),
                                    Sjis("ﾞ"), std::string(" "), std::string("\x80"), Sjis("ｰ")}) {
        EXPECT_LT(PortableCompareRowText("", text), 0) << Readable(text);
    }
}

TEST(PortableCompareRowText, HyphenCountsOnlyWhenTheRestIsEqual) {
    // As if the "-" were cut out and the rest moved left; otherwise equal lines put the line
    // with the hyphen later, and an earlier hyphen later still.
    ExpectAscending(
        {"  1.2   3.4", "  1.2 - 3.4", "  1.2-  3.4", "  1.2-  3.5", "  1.2- 13.4", "  1.2 -3.4"});
    ExpectAscending({"ab", "ab-", "a-b", "-ab"});
}

TEST(SortRows, PutsRightAlignedOddsInNumericOrder) {
    const std::vector<std::string> sorted{"  0.0", "  1.2", "  9.9", " 10.0",
                                          " 12.5", " 99.9", "100.0", "999.9"};
    auto rows = sorted;
    std::reverse(rows.begin(), rows.end());
    SortRows(rows);
    EXPECT_EQ(rows, sorted);
}

TEST(SortRows, SortsLinesByTheirSlotPrefix) {
    // Slot numbers put in front of the race card lines: a blank sorts before a digit.
    std::vector<std::string> rows{"18x", " 2x", "10x", " 1x", " 9x"};
    SortRows(rows);
    EXPECT_EQ(rows, (std::vector<std::string>{" 1x", " 2x", " 9x", "10x", "18x"}));
}

TEST(SortRows, HandlesEmptyAndSingleLists) {
    std::vector<std::string> none;
    SortRows(none);
    EXPECT_TRUE(none.empty());
    std::vector<std::string> one{"x"};
    SortRows(one);
    EXPECT_EQ(one, std::vector<std::string>{"x"});
}

TEST(PortableCompareRowText, IgnoresOnlyLetterCase) {
    EXPECT_EQ(PortableCompareRowText("KZ 1- 2", "kz 1- 2"), 0);
    EXPECT_EQ(PortableCompareRowText(Sjis("ａβж"), Sjis("ＡΒЖ")), 0);
    EXPECT_LT(PortableCompareRowText("ABC", Sjis("ＡＢＣ")), 0); // width still counts
}

TEST(PortableCompareRowText, OrdersKanjiByCode) {
    // The first and last kanji of each level, then an extension kanji.
    ExpectAscending(SjisTexts({"ン", "亜", "唖", "腕", "弌", "熙", "纊", "黑"}));
}

TEST(PortableCompareRowText, TwoCodesOfOneCharacterCompareEqual) {
    // 纊 and ￢ are in both extension rows, ≒ in two symbol rows.
    EXPECT_EQ(PortableCompareRowText("\xED\x40", "\xFA\x5C"), 0);
    EXPECT_EQ(PortableCompareRowText("\xEE\xF9", "\x81\xCA"), 0);
    EXPECT_EQ(PortableCompareRowText("\x87\x90", "\x81\xE0"), 0);
}

TEST(PortableCompareRowText, PlacesDoubleByteSymbolsBetweenBlankAndDigits) {
    for (const char* symbol : {"§", "※", "→", "∞", "♪", "─", "╂", "①", "Ⅹ", "ⅹ", "㍉", "〒"}) {
        const std::string text = Sjis(symbol);
        EXPECT_LT(PortableCompareRowText(" ", text), 0) << symbol;
        EXPECT_LT(PortableCompareRowText(text, "0"), 0) << symbol;
    }
}

TEST(PortableCompareRowText, SortsControlCharactersBeforeBlank) {
    ExpectAscending({std::string("\0", 1), "\x01", "\t", "\x1F", "\x7F", " "});
}

TEST(PortableCompareRowText, SortsUndecodableBytesAfterKanjiAndApart) {
    // Bytes that form no character: after every character but a lone prolonged mark, each at a
    // position of its own.
    const std::vector<std::string> undecodable{"\x80", "\x81", "\x81 ",    "\xA0",
                                               "\xFD", "\xFF", "\x85\x40", "\xFC\xFC"};
    for (const std::string& text : undecodable) {
        EXPECT_LT(PortableCompareRowText(Sjis("熙"), text), 0) << Readable(text);
        EXPECT_LT(PortableCompareRowText("\xF9\xFC", text), 0)
            << Readable(text); // last user-defined
        EXPECT_LT(PortableCompareRowText(text, Sjis("ｰ")), 0) << Readable(text);
        for (const std::string& other : undecodable) {
            EXPECT_EQ(PortableCompareRowText(text, other) == 0, text == other)
                << Readable(text) << " vs " << Readable(other);
        }
    }
}

TEST(SortRows, SortsHundredsOfLongLines) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::string> rows(400);
    for (auto& row : rows) {
        for (int i = 0; i < 100; ++i) {
            row.push_back(static_cast<char>(byte(random)));
        }
    }
    auto sorted = rows;
    SortRows(sorted);
    for (std::size_t i = 0; i + 1 < sorted.size(); ++i) {
        EXPECT_LE(CompareRowText(sorted[i], sorted[i + 1]), 0) << i;
    }
    std::sort(rows.begin(), rows.end());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, rows); // the same lines, only reordered
}

// Random texts for the order properties.
struct TextSource {
    const char* name;
    std::function<std::string(std::mt19937&)> make;
};

std::string RandomBytes(std::mt19937& random) {
    std::uniform_int_distribution<int> length(0, 8);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string text;
    for (int n = length(random); n > 0; --n) {
        text.push_back(static_cast<char>(byte(random)));
    }
    return text;
}

// Short texts over the characters the levels treat specially, so that ties, prefixes and
// differences at every level come up often.
std::string RandomTricky(std::mt19937& random) {
    static const std::vector<std::string> alphabet = [] {
        std::vector<std::string> chars{"a", "A", "-", "'", " ", "1", "\x81", "\x80", "\xFF", "\t"};
        for (const char* c : {"－", "＇", "ｰ",  "ー", "ﾞ",  "ﾟ",  "゛", "ｶ",  "カ", "か",
                              "ガ", "ｧ",  "ア", "ﾝ",  "　", "１", "Ａ", "馬", "▲",  "△"}) {
            chars.push_back(Sjis(c));
        }
        return chars;
    }();
    std::uniform_int_distribution<int> length(0, 5);
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::string text;
    for (int n = length(random); n > 0; --n) {
        text += alphabet[pick(random)];
    }
    return text;
}

class StrictWeakOrderTest : public testing::TestWithParam<TextSource> {};

TEST_P(StrictWeakOrderTest, HoldsForRandomTriples) {
    std::mt19937 random(411);
    for (int round = 0; round < 4000; ++round) {
        const std::string a = GetParam().make(random);
        const std::string b = GetParam().make(random);
        const std::string c = GetParam().make(random);
        const int ab = Sign(PortableCompareRowText(a, b));
        const int bc = Sign(PortableCompareRowText(b, c));
        const int ac = Sign(PortableCompareRowText(a, c));
        const auto where = Readable(a) + " " + Readable(b) + " " + Readable(c);
        ASSERT_EQ(PortableCompareRowText(a, a), 0) << where;
        ASSERT_EQ(Sign(PortableCompareRowText(b, a)), -ab) << where;
        if (ab <= 0 && bc <= 0) {
            // Transitive, and equality is transitive too.
            ASSERT_LE(ac, 0) << where;
            ASSERT_EQ(ac == 0, ab == 0 && bc == 0) << where;
        }
        if (ab == 0) {
            ASSERT_EQ(Sign(PortableCompareRowText(b, c)), ac) << where;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(PortableCompareRowText, StrictWeakOrderTest,
                         testing::Values(TextSource{"any_bytes", RandomBytes},
                                         TextSource{"special_characters", RandomTricky}),
                         test::ByName());

} // namespace
} // namespace mv
