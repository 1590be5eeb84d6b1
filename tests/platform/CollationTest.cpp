#include "platform/Collation.h"

#include "platform/Codec.h"
#include "platform/CollationData.h"
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

// Every pair of a vector file ("a<TAB>b<TAB>sign") compares as the system compared it.
void ExpectRecordedSigns(const std::string& file, std::size_t count) {
    const auto records = test::ReadVectorRecords(file);
    ASSERT_EQ(records.size(), count);
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

TEST(PortableCompareRowText, AgreesWithEveryRecordedPair) {
    ExpectRecordedSigns("collation.tsv", 28196);
}

// Random texts of any bytes but NUL, invalid sequences included, as the system compares them.
TEST(PortableCompareRowText, AgreesWithTheSystemOnRandomBytes) {
    ExpectRecordedSigns("random-collation.tsv", 4000);
}

// Each character alone has the system's own sort key, section by section.
TEST(PortableRowSortKey, IsTheSystemsKeyForEveryRecordedCharacter) {
    int disagreements = 0;
    for (std::size_t i = 0; i < RecordedKeyCount; ++i) {
        const RecordedKey& k = RecordedKeys[i];
        const auto text = TryUtf16ToSjis(std::u16string(1, k.character));
        if (!text) {
            continue; // read from an undefined unit only: U+0080, U+30FB and the like
        }
        const std::string want = std::string(k.key, k.length) + '\0';
        if (PortableRowSortKey(*text) != want && ++disagreements <= 10) {
            ADD_FAILURE() << Readable(*text) << ": expected " << Readable(want) << ", got "
                          << Readable(PortableRowSortKey(*text));
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

// Short texts of a few simple bytes and of the characters that lean on them (voiced and
// prolonged marks), kana, control characters and a cut-off lead byte: many pairs share a
// start, end where the other goes on, or differ only beyond the first level.
std::string RandomRowText(std::mt19937& random) {
    static const std::vector<std::string> pieces = [] {
        std::vector<std::string> p{"1", "2", " ", ".", "-", "'", "a", "A", "\x01", "["};
        for (const char* utf8 : {"ﾄ", "ﾞ", "ｰ", "ア", "ー", "ゝ", "亜"}) {
            p.push_back(Sjis(utf8));
        }
        return p;
    }();
    std::string text;
    const int length = static_cast<int>(random() % 7);
    for (int i = 0; i < length; ++i) {
        // Simple bytes three times as often, so that most texts start with a run of them.
        const std::size_t simple = 10;
        const std::size_t at = random() % 4 == 0 ? random() % pieces.size() : random() % simple;
        text += pieces[at];
    }
    if (random() % 16 == 0) {
        text += '\x81';
    }
    return text;
}

// Panel lines: long starts of simple bytes on which most pairs agree well beyond their first
// eight characters, then kana, a mark, a letter in either case, a hyphen or nothing; now and
// then cut short, inside a double-byte character too.
std::string RandomPanelLine(std::mt19937& random) {
    static const std::vector<std::string> tails = {
        "", "", "", Sjis("ﾄﾘｹｼ"), Sjis("ﾞ"), Sjis("ｰ"), Sjis("ア"), "a", "A", "-", "'", "\x01"};
    std::string line = random() % 2 == 0 ? "01-02 " : "01-03 ";
    line += random() % 2 == 0 ? "  12.3" : "  12.4";
    if (random() % 2 == 0) {
        line += random() % 2 == 0 ? "-  45.6" : "- 45.6 ";
    }
    line += " [" + std::to_string(random() % 3) + "]";
    line += tails[random() % tails.size()];
    if (random() % 8 == 0) {
        line.resize(random() % line.size());
    }
    return line;
}

struct TextKind {
    const char* name;
    std::string (*text)(std::mt19937&);
    std::size_t agreeing; // key bytes that pairs share when counted as decided later
};

class SortRowsOf : public testing::TestWithParam<TextKind> {};

TEST_P(SortRowsOf, OrdersEveryPairAsTheirKeysDo) {
    // Two rows come out in key order, and equal keys swap them: the sign of every comparison
    // the sort makes shows.
    std::mt19937 random(4649);
    int decidedLater = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::string a = GetParam().text(random);
        const std::string b = GetParam().text(random);
        std::vector<std::string> rows{a, b};
        SortRows(rows);
        const bool before = PortableRowSortKey(a) < PortableRowSortKey(b);
        const std::vector<std::string> want =
            before ? std::vector<std::string>{a, b} : std::vector<std::string>{b, a};
        ASSERT_EQ(rows, want) << Readable(a) << " vs " << Readable(b);
        std::vector<std::string_view> views{a, b};
        SortRows(views);
        ASSERT_EQ(views[0], rows[0]) << Readable(a) << " vs " << Readable(b);
        const std::size_t n = GetParam().agreeing;
        decidedLater += PortableRowSortKey(a).substr(0, n) == PortableRowSortKey(b).substr(0, n);
    }
    // Enough pairs agree at the start for what follows it to be reached.
    EXPECT_GT(decidedLater, 2000);
}

TEST_P(SortRowsOf, ListsComeOutInKeyOrder) {
    std::mt19937 random(1192);
    for (int round = 0; round < 500; ++round) {
        std::vector<std::string> rows(random() % 40);
        for (std::string& row : rows) {
            row = GetParam().text(random);
        }
        const auto unsorted = rows;
        SortRows(rows);
        ASSERT_TRUE(std::is_permutation(rows.begin(), rows.end(), unsorted.begin()));
        for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
            ASSERT_LE(PortableRowSortKey(rows[i]), PortableRowSortKey(rows[i + 1]))
                << Readable(rows[i]) << " vs " << Readable(rows[i + 1]);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SortRows, SortRowsOf,
                         testing::Values(TextKind{"short_texts", RandomRowText, 2},
                                         // Beyond eight first-level weights of two bytes each.
                                         TextKind{"panel_lines", RandomPanelLine, 17}),
                         test::ByName());

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
    for (const char* symbol : {"§", "※", "→", "♪", "─", "╂", "〒"}) {
        const std::string text = Sjis(symbol);
        EXPECT_LT(PortableCompareRowText(" ", text), 0) << symbol;
        EXPECT_LT(PortableCompareRowText(text, "0"), 0) << symbol;
    }
}

// Some symbols sort with what they stand for.
TEST(PortableCompareRowText, SymbolsThatStandForDigitsOrLettersSortWithThem) {
    ExpectAscending(SjisTexts({"1", "①", "2"}));
    ExpectAscending(SjisTexts({"9", "∞", "A"}));
    EXPECT_EQ(PortableCompareRowText(Sjis("㎜"), "mm"), 0);
}

// Control characters other than tab to carriage return weigh only at the last level, as the
// hyphen does.
TEST(PortableCompareRowText, ControlCharactersCountOnlyWhenTheRestIsEqual) {
    EXPECT_GT(PortableCompareRowText("a\x01"
                                     "b",
                                     "ab"),
              0);
    EXPECT_LT(PortableCompareRowText("a\x01"
                                     "b",
                                     "ac"),
              0);
    EXPECT_LT(PortableCompareRowText("a\x01", "a\x02"), 0);
    ExpectAscending({"\x7F", " ", "\t", "\r", "!"});
}

// What the code page leaves undefined sorts as the character the system reads it as: a lead
// byte alone or with a second byte outside the table as "・", the second byte taken with it;
// 0xA0 and 0xFD-0xFF as private characters, after the user-defined ones and before the kanji.
TEST(PortableCompareRowText, UndefinedBytesSortAsWhatTheSystemReadsThemAs) {
    const std::string dot = Sjis("・");
    for (const std::string& text : {std::string("\x81 "), std::string("\x85\x40"),
                                    std::string("\x81"), std::string("\x9F\x7F")}) {
        EXPECT_EQ(PortableCompareRowText(text, dot), 0) << Readable(text);
    }
    EXPECT_EQ(PortableCompareRowText("a\x81\x2F", "a" + dot), 0) << "the \"/\" is taken";
    ExpectAscending(
        {Sjis("ン"), "\xF0\x40", "\xF9\xFC", "\xA0", "\xFD", "\xFE", "\xFF", Sjis("亜")});
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
