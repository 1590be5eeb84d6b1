#include "platform/Codec.h"

#include <gtest/gtest.h>

namespace mv {
namespace {

TEST(Codec, FullWidthMinusIsTheCodePage932Form) {
    // U+FF0D, not U+2212: the sign a user chooses for a weight loss.
    EXPECT_EQ(Sjis("－"), std::string("\x81\x7C"));
    EXPECT_EQ(SjisToUtf16(std::string("\x81\x7C")), u"\uFF0D");
}

TEST(Codec, KanjiKanaAndHalfWidthKatakanaRoundTrip) {
    const std::string text = Sjis("東京ﾄﾘｹｼソ表▲");
    EXPECT_EQ(text, std::string("\x93\x8C\x8B\x9E\xC4\xD8\xB9\xBC\x83\x5C\x95\x5C\x81\xA3"));
    EXPECT_EQ(SjisToUtf8(text), "東京ﾄﾘｹｼソ表▲");
    EXPECT_EQ(SjisToUtf16(text), u"東京ﾄﾘｹｼソ表▲");
    EXPECT_EQ(TryUtf16ToSjis(u"東京ﾄﾘｹｼソ表▲"), text);
}

TEST(Codec, TextWithoutACodePage932FormIsRefused) {
    EXPECT_FALSE(TryUtf8ToSjis("caf\xC3\xA9 \xF0\x9F\x90\x8E").has_value());
    EXPECT_FALSE(TryUtf16ToSjis(u"\u00E9").has_value());
}

TEST(Codec, DamagedBytesStillDisplay) {
    // A lone lead byte at the end and an undefined byte become replacement characters; the
    // valid characters around them survive.
    EXPECT_EQ(SjisToUtf16(std::string("A\xFF"
                                      "B\x81",
                                      4)),
              u"A\uFFFDB\uFFFD");
    EXPECT_EQ(SjisToUtf8(std::string("\x82\xA0\x81", 3)), "あ\xEF\xBF\xBD");
}

TEST(Codec, LeadBytesAreTheDoubleByteRanges) {
    EXPECT_TRUE(IsLeadByte(0x81));
    EXPECT_TRUE(IsLeadByte(0x9F));
    EXPECT_TRUE(IsLeadByte(0xE0));
    EXPECT_TRUE(IsLeadByte(0xFC));
    EXPECT_FALSE(IsLeadByte(0x80));
    EXPECT_FALSE(IsLeadByte(0xA0));
    EXPECT_FALSE(IsLeadByte(0xDF)); // half-width katakana are single bytes
    EXPECT_FALSE(IsLeadByte(0x5C));
}

} // namespace
} // namespace mv
