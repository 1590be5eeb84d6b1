#include "platform/CollationWeights.h"

#include "platform/Codec.h"

#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace mv {
namespace {

// First-level weight ranges, in sort order.
constexpr std::uint16_t kControlBase = 0x0200;
constexpr std::uint16_t kRepeatedWordPunctuation = 0x0280; // "-ｰ": the ｰ repeats the "-"
constexpr std::uint16_t kBlank = 0x0300;
constexpr std::uint16_t kPunctuationBase = 0x0400;
constexpr std::uint16_t kSymbolBase = 0x0800;
constexpr std::uint16_t kOtherSymbolBase = 0x0B00; // symbols not listed below, in code order
constexpr std::uint16_t kDigitBase = 0x0D00;
constexpr std::uint16_t kLatinBase = 0x0E00;
constexpr std::uint16_t kGreekBase = 0x0F00;
constexpr std::uint16_t kCyrillicBase = 0x1000;
constexpr std::uint16_t kKanaBase = 0x2200;
constexpr std::uint16_t kKanjiBase = 0x3000; // in code order
constexpr std::uint16_t kUserDefinedBase = 0x5000;
constexpr std::uint16_t kUnknownByteBase = 0x7000; // bytes that form no character
constexpr std::uint16_t kUnknownPairBase = 0x8000; // double-byte codes with no character

constexpr std::uint8_t kVoiced = 3;
constexpr std::uint8_t kSemiVoiced = 4;
// Last-level weights of the word-sort punctuation; the full-width form is one higher.
constexpr std::uint16_t kHyphenWeight = 0x8212;
constexpr std::uint16_t kApostropheWeight = 0x8012;

constexpr std::u16string_view kPunctuation =
    u"!\"#$%&()*,、.。/:;?@[\\]^_`{|}~´¨￣―‐∥…‥‘’“”〔〕〈〉《》「」『』【】";
constexpr std::u16string_view kSymbols = u"+±×÷<=>≠≦≧◇◆□■▲▼○◎●◯・☆★";
// The wide member of a pair whose narrow member is a half-width katakana punctuation mark.
constexpr std::u16string_view kWideCjkPunctuation = u"、。「」・";

// A white triangle shares its black triangle's first-level weight and sorts after it.
struct SharedShape {
    char16_t shape;
    char16_t weighsAs;
    std::uint8_t diacritic;
};
constexpr std::array kSharedShapes{
    SharedShape{u'▲', u'▲', kVoiced}, SharedShape{u'△', u'▲', kSemiVoiced},
    SharedShape{u'▼', u'▼', kVoiced}, SharedShape{u'▽', u'▼', kSemiVoiced}};

constexpr std::u16string_view kGreekUpper = u"ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩ";
constexpr std::u16string_view kGreekLower = u"αβγδεζηθικλμνξοπρστυφχψω";
constexpr std::u16string_view kCyrillicUpper = u"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ";
constexpr std::u16string_view kCyrillicLower = u"абвгдеёжзийклмнопрстуфхцчшщъыьэюя";

// U+FF61-U+FF9F, the half-width katakana, as the full-width characters they stand for.
constexpr char16_t kHalfWidthFirst = u'｡';
constexpr std::u16string_view kHalfWidthKana =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
    u"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

// The syllabary, five vowels a row, "・" in the empty cells: a kana weighs 2 + 8 * row + column
// above kKanaBase and its vowel is the first row's kana of the same column.
constexpr std::u16string_view kSyllabary = u"あいうえおかきくけこさしすせそたちつてとなにぬねの"
                                           u"はひふへほまみむめもや・ゆ・よらりるれろわゐ・ゑを";
constexpr std::uint16_t kSyllabicN = 0x80; // ん, after every row
constexpr std::u16string_view kSmallKana = u"ぁぃぅぇぉっゃゅょゎゕゖ";
constexpr std::u16string_view kSmallKanaOf = u"あいうえおつやゆよわかけ";
constexpr std::u16string_view kVoicedKana = u"がぎぐげござじずぜぞだぢづでどばびぶべぼゔ";
constexpr std::u16string_view kVoicedKanaOf = u"かきくけこさしすせそたちつてとはひふへほう";
constexpr std::u16string_view kSemiVoicedKana = u"ぱぴぷぺぽ";
constexpr std::u16string_view kSemiVoicedKanaOf = u"はひふへほ";
constexpr char16_t kKatakanaOffset = u'ァ' - u'ぁ';

template <typename Weight>
CollationWeights Plain(Weight primary, std::uint8_t width = kNarrow) {
    CollationWeights w;
    w.primary = static_cast<std::uint16_t>(primary);
    w.width = width;
    return w;
}

CollationWeights Kind(CollationKind kind) {
    CollationWeights w;
    w.kind = kind;
    return w;
}

// A hiragana's weights (a katakana is weighed as its hiragana); nothing for other characters.
std::optional<CollationWeights> WeighKana(char16_t kana) {
    CollationWeights w = Kind(CollationKind::Kana);
    if (const auto i = kSmallKana.find(kana); i != kSmallKana.npos) {
        kana = kSmallKanaOf[i];
        w.small = true;
    } else if (const auto v = kVoicedKana.find(kana); v != kVoicedKana.npos) {
        kana = kVoicedKanaOf[v];
        w.diacritic = kVoiced;
    } else if (const auto s = kSemiVoicedKana.find(kana); s != kSemiVoicedKana.npos) {
        kana = kSemiVoicedKanaOf[s];
        w.diacritic = kSemiVoiced;
    }
    if (kana == u'ん') {
        w.primary = static_cast<std::uint16_t>(kKanaBase + kSyllabicN);
        w.extra = w.primary; // a prolonged mark after ん repeats it
        return w;
    }
    const auto cell = kSyllabary.find(kana);
    if (cell == kSyllabary.npos) {
        return std::nullopt;
    }
    w.primary = static_cast<std::uint16_t>(kKanaBase + 2 + 8 * (cell / 5) + cell % 5);
    w.extra = static_cast<std::uint16_t>(kKanaBase + 2 + cell % 5);
    return w;
}

std::optional<std::size_t> Find(std::u16string_view list, char16_t c) {
    const auto i = list.find(c);
    return i == list.npos ? std::nullopt : std::optional<std::size_t>(i);
}

// The weights of a listed character; nothing for symbols and kanji, which are ranked by code.
std::optional<CollationWeights> WeighCharacter(char16_t c) {
    bool halfWidth = false;
    bool wide = false;
    if (c == u'　') {
        c = u' ';
        wide = true;
    } else if (c >= u'！' && c <= u'～') {
        c = static_cast<char16_t>(c - (u'！' - u'!'));
        wide = true;
    } else if (c >= kHalfWidthFirst &&
               static_cast<std::size_t>(c - kHalfWidthFirst) < kHalfWidthKana.size()) {
        c = kHalfWidthKana[static_cast<std::size_t>(c - kHalfWidthFirst)];
        halfWidth = true;
    } else {
        wide = kWideCjkPunctuation.find(c) != kWideCjkPunctuation.npos;
    }
    const std::uint8_t width = wide ? kWide : kNarrow;

    if (c < u' ' || c == u'\x7F') {
        return Plain(kControlBase + c);
    }
    if (c == u' ') {
        return Plain(kBlank, width);
    }
    if (c == u'-' || c == u'\'') {
        CollationWeights w = Plain(kRepeatedWordPunctuation + (c == u'-' ? 1 : 0), width);
        w.kind = CollationKind::WordPunctuation;
        w.extra = static_cast<std::uint16_t>((c == u'-' ? kHyphenWeight : kApostropheWeight) +
                                             (wide ? 1 : 0));
        return w;
    }
    if (c == u'゛' || c == u'゜') {
        CollationWeights w = Kind(CollationKind::VoicedMark);
        w.diacritic = c == u'゛' ? kVoiced : kSemiVoiced;
        return w;
    }
    if (c == u'ー') {
        CollationWeights w = Kind(CollationKind::ProlongedMark);
        w.halfWidth = halfWidth;
        return w;
    }
    if (c >= u'0' && c <= u'9') {
        return Plain(kDigitBase + (c - u'0'), width);
    }
    if (c >= u'A' && c <= u'Z') {
        return Plain(kLatinBase + (c - u'A'), width);
    }
    if (c >= u'a' && c <= u'z') {
        return Plain(kLatinBase + (c - u'a'), width);
    }
    if (const auto i = Find(kPunctuation, c)) {
        return Plain(kPunctuationBase + *i, width);
    }
    for (const SharedShape& s : kSharedShapes) {
        if (s.shape == c) {
            CollationWeights w = Plain(kSymbolBase + kSymbols.find(s.weighsAs));
            w.diacritic = s.diacritic;
            return w;
        }
    }
    if (const auto i = Find(kSymbols, c)) {
        return Plain(kSymbolBase + *i, width);
    }
    for (const auto& letters : {kGreekUpper, kGreekLower}) {
        if (const auto i = Find(letters, c)) {
            return Plain(kGreekBase + *i);
        }
    }
    for (const auto& letters : {kCyrillicUpper, kCyrillicLower}) {
        if (const auto i = Find(letters, c)) {
            return Plain(kCyrillicBase + *i);
        }
    }
    const bool katakana = c >= u'ァ' && c <= u'ヶ';
    if (katakana || (c >= u'ぁ' && c <= u'ゖ')) {
        auto w = WeighKana(katakana ? static_cast<char16_t>(c - kKatakanaOffset) : c);
        if (w) {
            w->hiragana = !katakana;
            w->halfWidth = halfWidth;
        }
        return w;
    }
    return std::nullopt;
}

bool IsIdeograph(char16_t c) {
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF);
}

bool IsUserDefined(char16_t c) {
    return c >= 0xE000 && c <= 0xF8FF;
}

constexpr std::size_t kLeadByteCount = 60;

std::size_t PairIndex(unsigned char lead, unsigned char trail) {
    const std::size_t row = lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + 31;
    return row * 256 + trail;
}

struct WeightTable {
    std::array<CollationWeights, 256> single;
    std::vector<CollationWeights> pairs = std::vector<CollationWeights>(kLeadByteCount * 256);
};

WeightTable BuildTable() {
    WeightTable table;
    for (unsigned b = 0; b < 256; ++b) {
        std::optional<CollationWeights> w;
        if (b < 0x80) {
            w = WeighCharacter(static_cast<char16_t>(b));
        } else if (b >= 0xA1 && b <= 0xDF) {
            w = WeighCharacter(static_cast<char16_t>(kHalfWidthFirst + (b - 0xA1)));
        }
        table.single[b] = w ? *w : Plain(kUnknownByteBase + b);
    }
    // Unlisted symbols and kanji are ranked in code order; a character with two codes (the
    // duplicated extension rows) keeps the rank of its first code, so both codes compare equal.
    std::unordered_map<char16_t, unsigned> ranks;
    unsigned nextSymbol = kOtherSymbolBase;
    unsigned nextKanji = kKanjiBase;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead))) {
            continue;
        }
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (!IsTrailByte(static_cast<unsigned char>(trail))) {
                continue;
            }
            const std::size_t index =
                PairIndex(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
            const std::u16string c =
                SjisToUtf16(std::string{static_cast<char>(lead), static_cast<char>(trail)});
            CollationWeights& w = table.pairs[index];
            if (c.size() != 1 || c[0] == u'\uFFFD') {
                w = Plain(kUnknownPairBase + index);
            } else if (const auto listed = WeighCharacter(c[0])) {
                w = *listed;
            } else if (IsUserDefined(c[0])) {
                w = Plain(kUserDefinedBase + (c[0] - 0xE000u));
            } else {
                const auto [rank, isNew] = ranks.try_emplace(c[0], 0);
                if (isNew) {
                    rank->second = IsIdeograph(c[0]) ? nextKanji++ : nextSymbol++;
                }
                w = Plain(rank->second);
            }
        }
    }
    return table;
}

} // namespace

CollationUnit NextCollationUnit(std::string_view text, std::size_t pos) {
    static const WeightTable table = BuildTable();
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (CharacterLength(text, pos) == 2) {
        return {&table.pairs[PairIndex(lead, static_cast<unsigned char>(text[pos + 1]))], 2};
    }
    return {&table.single[lead], 1};
}

} // namespace mv
