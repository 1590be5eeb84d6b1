#pragma once

// What each code page 932 character weighs at the levels of the row comparison, as the system's
// Japanese locale weighs it: the weights are recorded from the system (CollationData), except
// for the kana, the marks that lean on the character before them, the ideographs and the
// private characters, which follow rules. Units the code page leaves undefined weigh as the
// character the system reads them as.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mv {

enum class CollationKind : std::uint8_t {
    Plain,           // weights of its own at the first three levels
    Kana,            // as Plain, plus the kana size, type and width of the fourth level
    WordPunctuation, // - ' － and the control characters: last level only
    VoicedMark,      // ﾞ ﾟ ゛ ゜: adds its diacritic to the character before it
    ProlongedMark,   // ｰ ー ―: the vowel of the kana before it, or that character again
    RepeatMark,      // ゝ ゞ ヽ ヾ 々: the kana or character before it again
};

// Level values shared with the sort key.
inline constexpr std::uint8_t kPlainDiacritic = 2;
inline constexpr std::uint8_t kNarrow = 2;
// A prolonged or repeat mark with nothing before it sorts after every character.
inline constexpr std::uint16_t kLoneMark = 0xFFFF;
// The first byte of the first-level weight a word punctuation mark takes when a prolonged or
// repeat mark repeats it; the second is the first byte of its last-level weight.
inline constexpr std::uint8_t kRepeatedPunctuationScript = 0x06;

// A first-level weight as the sort key holds it: two bytes, three for a private character.
struct Primary {
    std::array<std::uint8_t, 3> bytes{};
    std::uint8_t length = 0;
};

// One first-level entry with its diacritic and case (width) weights.
struct CollationElement {
    Primary primary;
    std::uint8_t diacritic = kPlainDiacritic;
    std::uint8_t width = kNarrow;
};

struct CollationWeights {
    CollationKind kind = CollationKind::Plain;
    // Plain and kana: one entry; a character that sorts as two ("㎜" as "mm"): two.
    std::array<CollationElement, 2> elements{};
    std::uint8_t elementCount = 1;
    bool small = false;      // kana: ｧ ァ ぁ …
    bool hiragana = false;   // kana and the hiragana repeat marks
    bool halfWidth = false;  // kana and the prolonged mark
    std::uint16_t extra = 0; // kana: first-level weight of its vowel; word punctuation: its
                             // last-level weight
    std::uint8_t mark = 0;   // voiced mark: the diacritic it adds; repeat mark: the diacritic
                             // of the kana it repeats
};

// The character that starts at text[pos] (pos < text.size()): its weights and its length in
// bytes, as the system reads the text (CharacterLength).
struct CollationUnit {
    const CollationWeights* weights;
    std::size_t length;
};
CollationUnit NextCollationUnit(std::string_view text, std::size_t pos);

} // namespace mv
