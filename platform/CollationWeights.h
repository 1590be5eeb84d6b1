#pragma once

// What each code page 932 character weighs at the levels of the row comparison. The first
// level orders control characters, blank, punctuation, symbols, digits, Latin, Greek, Cyrillic,
// kana in syllabary order, kanji in code order, then anything undecodable; full-width and
// half-width forms, letter cases and hiragana/katakana share a first-level weight and differ
// only at the lower levels.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mv {

enum class CollationKind : std::uint8_t {
    Plain,           // weights of its own at the first three levels
    Kana,            // as Plain, plus the kana size, type and width of the fourth level
    WordPunctuation, // - ' and their full-width forms: last level only (first level when repeated)
    VoicedMark,      // ﾞ ﾟ ゛ ゜: adds its diacritic to the character before it
    ProlongedMark,   // ｰ ー: takes its weight from the character before it
};

// Level values shared with the sort key.
inline constexpr std::uint8_t kPlainDiacritic = 2;
inline constexpr std::uint8_t kNarrow = 2;
inline constexpr std::uint8_t kWide = 3;
// A prolonged mark with nothing before it sorts after every character.
inline constexpr std::uint16_t kLoneProlongedMark = 0xFFFF;

struct CollationWeights {
    std::uint16_t primary = 0;
    std::uint8_t diacritic = kPlainDiacritic; // a voiced mark: the amount it adds
    std::uint8_t width = kNarrow;
    CollationKind kind = CollationKind::Plain;
    bool small = false;      // kana: ｧ ァ ぁ …
    bool hiragana = false;   // kana
    bool halfWidth = false;  // kana and the prolonged mark
    std::uint16_t extra = 0; // kana: first-level weight of its vowel; word punctuation: its weight
};

// The character that starts at text[pos] (pos < text.size()): its weights and its length in
// bytes. A lead byte without a valid trail byte is a character of its own.
struct CollationUnit {
    const CollationWeights* weights;
    std::size_t length;
};
CollationUnit NextCollationUnit(std::string_view text, std::size_t pos);

} // namespace mv
