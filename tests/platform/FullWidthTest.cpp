#include "platform/FullWidth.h"

#include "platform/Codec.h"
#include "support/ParamName.h"
#include "support/VectorFiles.h"

#include <fstream>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace mv {
namespace {

using test::FromHex;
using test::Readable;

TEST(PortableToFullWidth, AgreesWithEveryRecordedMapping) {
    const auto records = test::ReadVectorRecords("fullwidth.tsv");
    ASSERT_EQ(records.size(), 509u);
    int disagreements = 0;
    for (const auto& r : records) {
        ASSERT_EQ(r.size(), 2u);
        const std::string in = FromHex(r[0]);
        const std::string want = FromHex(r[1]);
        const std::string got = PortableToFullWidth(in);
        if (got != want && ++disagreements <= 10) {
            ADD_FAILURE() << Readable(in) << ": expected " << Readable(want) << ", got "
                          << Readable(got);
        }
    }
    EXPECT_EQ(disagreements, 0);
}

// Every byte and every lead byte with every second byte, and random texts of any bytes, as
// recorded from the system.
TEST(PortableToFullWidth, AgreesWithTheSystemOnEveryUnitAndRandomBytes) {
    std::vector<std::pair<std::string, std::string>> cases;
    std::ifstream table(std::string(MV_TEST_DATA) + "/vectors/fullwidth-units.txt");
    ASSERT_TRUE(table);
    for (std::string first; table >> first;) {
        for (unsigned second = 1; second < 256; ++second) {
            std::string mapped;
            table >> mapped;
            cases.emplace_back(first == "--" ? std::string(1, static_cast<char>(second))
                                             : FromHex(first) + static_cast<char>(second),
                               FromHex(mapped));
        }
    }
    ASSERT_EQ(cases.size(), 61u * 255u);
    for (const auto& r : test::ReadVectorRecords("random-fullwidth.tsv")) {
        cases.emplace_back(FromHex(r.at(0)), FromHex(r.size() > 1 ? r[1] : ""));
    }
    int disagreements = 0;
    for (const auto& [in, want] : cases) {
        const std::string got = PortableToFullWidth(in);
        if (got != want && ++disagreements <= 10) {
            ADD_FAILURE() << Readable(in) << ": expected " << Readable(want) << ", got "
                          << Readable(got);
        }
    }
    EXPECT_EQ(disagreements, 0);
}

struct MappingCase {
    const char* name;
    std::string text;
    std::string mapped;
};

class ToFullWidthTest : public testing::TestWithParam<MappingCase> {};

TEST_P(ToFullWidthTest, Maps) {
    EXPECT_EQ(PortableToFullWidth(GetParam().text), GetParam().mapped)
        << Readable(GetParam().text) << " gave " << Readable(PortableToFullWidth(GetParam().text));
}

std::string Repeated(const std::string& unit, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += unit;
    }
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    PortableToFullWidth, ToFullWidthTest,
    testing::Values(
        MappingCase{"race_card_name", Sjis("ｷﾀｻﾝﾌﾞﾗｯｸ"), Sjis("キタサンブラック")},
        MappingCase{"odds_with_blanks", "  1.5", Sjis("　　１．５")},
        MappingCase{"double_byte_kept", Sjis("馬ソ表▲"), Sjis("馬ソ表▲")},
        // Beyond the platform call, whose 256-byte buffer ends at 127 single-byte characters.
        MappingCase{"long_text_mapped_whole", Repeated("1 ", 150), Repeated(Sjis("１　"), 150)},
        // The lead byte takes the blank with it, as the system reads the text.
        MappingCase{"lead_byte_before_a_non_trail_byte", "\x81 A", Sjis("・Ａ")},
        MappingCase{"undefined_bytes_unchanged", "\x80\xA0\xFD\xFE\xFF", "\x80\xA0\xFD\xFE\xFF"},
        MappingCase{"unassigned_double_byte_becomes_the_dot", "\x85\x40", Sjis("・")},
        // A character with two codes comes back under the one the system writes.
        // ヰﾞ and ヱﾞ join into characters code page 932 lacks; ワﾞ does not join.
        MappingCase{"full_width_wi_and_we_join_a_voiced_mark",
                    "\x83\x90\xDE\x83\x91\xDE\x83\x8F\xDE", "??\x83\x8F?"},
        MappingCase{"extension_rows_written_as_the_system_writes_them", "\xED\x40\x87\x90",
                    "\xFA\x5C\x81\xE0"},
        MappingCase{"control_characters_unchanged", "\t\r\n\x7F", "\t\r\n\x7F"}),
    test::ByName());

} // namespace
} // namespace mv

namespace mv {
namespace {

TEST(ToFullWidth, MapsATextOfAnyLengthWhole) {
    std::string expected;
    for (int i = 0; i < 200; ++i) {
        expected += Sjis("Ａ");
    }
    EXPECT_EQ(ToFullWidth(std::string(200, 'A')), expected);
}

} // namespace
} // namespace mv
