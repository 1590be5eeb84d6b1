#include "platform/Codec.h"

#include "support/VectorFiles.h"

#include <cstdio>
#include <fstream>
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

// A byte or pair that names no character shows as the system shows it, and the characters
// around it survive.
TEST(Codec, BytesThatFormNoCharacterDisplayAsTheSystemShowsThem) {
    EXPECT_EQ(SjisToUtf16(std::string("A\x80"
                                      "B\xA0\xFD\xFF",
                                      6)),
              u"A\u0080B\uF8F0\uF8F1\uF8F3");
    // A lead byte takes the byte after it, even one that no pair has; alone at the end it is
    // "・" as well.
    EXPECT_EQ(SjisToUtf16(std::string("\x81 A\x85\x40\x81", 6)), u"\u30FBA\u30FB\u30FB");
    EXPECT_EQ(SjisToUtf8(std::string("\x82\xA0\x81", 3)), "あ・");
}

// Every byte and every lead byte with every second byte, as recorded from the system.
TEST(Codec, DisplaysEveryUnitAsTheSystemDoes) {
    std::ifstream table(std::string(MV_TEST_DATA) + "/vectors/display-units.txt");
    ASSERT_TRUE(table);
    int lines = 0;
    int disagreements = 0;
    for (std::string first; table >> first; ++lines) {
        for (unsigned second = 1; second < 256; ++second) {
            std::string want;
            table >> want;
            const std::string unit = first == "--"
                                         ? std::string(1, static_cast<char>(second))
                                         : test::FromHex(first) + static_cast<char>(second);
            std::string got;
            for (const char16_t c : SjisToUtf16(unit)) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(c));
                got += hex;
            }
            if (got != want && ++disagreements <= 10) {
                ADD_FAILURE() << test::Readable(unit) << ": expected " << want << ", got " << got;
            }
        }
    }
    EXPECT_EQ(lines, 61);
    EXPECT_EQ(disagreements, 0);
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

// Every reader steps through a text by this one rule, the system's: a lead byte takes the
// byte after it, whatever that is, but a NUL or the end of the text.
TEST(Codec, ALeadByteTakesTheByteAfterIt) {
    struct Case {
        const char* bytes;
        std::size_t size;
        std::size_t length;
    };
    const Case cases[] = {
        {"\x82\xA0", 2, 2}, // あ
        {"\x81\x5C", 2, 2}, // a second byte that looks like "\"
        {"\xFC\xFC", 2, 2}, // the last lead byte with the last second byte
        {"\x81\x7F", 2, 2}, // no pair of the table, still one character ("・")
        {"\x81\x2F", 2, 2}, // "/" too
        {"\x81\x00", 2, 1}, // but not a NUL
        {"\x81", 1, 1},     // a lead byte at the very end
        {"\xB1\x40", 2, 1}, // half-width katakana
        {"\xA0\x40", 2, 1}, // an undefined single byte
        {"A\x40", 2, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CharacterLength(std::string_view(c.bytes, c.size), 0), c.length)
            << test::Readable(std::string(c.bytes, c.size));
    }
    EXPECT_EQ(LastCharacterStart(std::string("ab\x81/", 4)), 2u);
    EXPECT_EQ(LastCharacterStart(std::string("ab\x81\x5C", 4)), 2u);
    EXPECT_EQ(LastCharacterStart(std::string("ab/", 3)), 2u);
}

} // namespace
} // namespace mv
