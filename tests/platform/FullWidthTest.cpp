#include "platform/FullWidth.h"

#include "platform/Codec.h"
#include "support/ParamName.h"
#include "support/VectorFiles.h"

#include <gtest/gtest.h>

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
        MappingCase{"lead_byte_before_a_non_trail_byte", "\x81 A", Sjis("・　Ａ")},
        MappingCase{"undefined_bytes_unchanged", "\x80\xA0\xFD\xFE\xFF", "\x80\xA0\xFD\xFE\xFF"},
        MappingCase{"unassigned_double_byte_unchanged", "\x85\x40", "\x85\x40"},
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
