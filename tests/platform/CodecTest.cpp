#include "platform/Codec.h"

#include "support/VectorFiles.h"

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

// These share a code page 932 form with another character, which is what comes back: a folder
// named with one of them would become a path that does not exist.
TEST(Codec, TextThatWouldComeBackAsOtherCharactersIsRefused) {
    for (const char* utf8 : {"\u301C", "\u2014", "\u2212", "\u00A5", "\u2016", "a\u301Cb"}) {
        EXPECT_FALSE(TryUtf8ToSjis(utf8).has_value()) << utf8;
    }
    EXPECT_FALSE(TryUtf16ToSjis(u"\u301C").has_value());
    EXPECT_FALSE(TryUtf16ToSjis(u"\\\u00A5").has_value());
    // Their partners come back as themselves.
    EXPECT_EQ(TryUtf8ToSjis("\uFF5E\u2015\uFF0D"), std::string("\x81\x60\x81\x5C\x81\x7C"));
    EXPECT_EQ(TryUtf16ToSjis(u"\uFF5E"), std::string("\x81\x60"));
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

// Every reader steps through a text by this one rule, so they agree on where characters start.
TEST(Codec, ALeadByteTakesOnlyAByteThatCanBeASecondByte) {
    struct Case {
        const char* bytes;
        std::size_t size;
        std::size_t length;
    };
    const Case cases[] = {
        {"\x82\xA0", 2, 2},                 // あ
        {"\x81\x5C", 2, 2},                 // a second byte that looks like "\"
        {"\xFC\xFC", 2, 2},                 // the last lead byte with the last second byte
        {"\x81\x7F", 2, 1},                 // 0x7F is no second byte
        {"\x81\x2F", 2, 1},                 // nor "/", which stays a separator
        {"\x81\xFD", 2, 1}, {"\x81", 1, 1}, // a lead byte at the very end
        {"\xB1\x40", 2, 1},                 // half-width katakana
        {"A\x40", 2, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CharacterLength(std::string_view(c.bytes, c.size), 0), c.length)
            << test::Readable(std::string(c.bytes, c.size));
    }
    EXPECT_EQ(LastCharacterStart(std::string("ab\x81/", 4)), 3u);
    EXPECT_EQ(LastCharacterStart(std::string("ab\x81\x5C", 4)), 2u);
}

} // namespace
} // namespace mv
