#include "platform/CollationWeights.h"

#include "platform/Codec.h"
#include "platform/CollationData.h"

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace mv {
namespace {

// U+FF61-U+FF9F, the half-width katakana, as the full-width characters they stand for.
constexpr char16_t kHalfWidthFirst = u'｡';
constexpr std::u16string_view kHalfWidthKana =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
    u"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

// The syllabary, five vowels a row, "・" in the empty cells: a kana weighs 2 + 8 * row + column
// above kKanaBase and its vowel is the first row's kana of the same column.
constexpr std::uint16_t kKanaBase = 0x2200;
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
constexpr std::uint8_t kVoiced = 3;
constexpr std::uint8_t kSemiVoiced = 4;

// The repeat marks and the diacritic of the kana each repeats: ゝ ヽ plain, ゞ ヾ voiced, 々
// a value of its own.
struct RepeatMark {
    char16_t mark;
    std::uint8_t diacritic;
};
constexpr RepeatMark kRepeatMarks[] = {
    {u'ゝ', kPlainDiacritic},
    {u'ヽ', kPlainDiacritic},
    {u'ゞ', kVoiced},
    {u'ヾ', kVoiced},
    {u'々', 5},
};

Primary TwoBytes(std::uint16_t weight) {
    return {{static_cast<std::uint8_t>(weight >> 8), static_cast<std::uint8_t>(weight & 0xFF)}, 2};
}

CollationWeights Kind(CollationKind kind) {
    CollationWeights w;
    w.kind = kind;
    w.elementCount = 0;
    return w;
}

CollationWeights Plain(Primary primary) {
    CollationWeights w;
    w.elements[0].primary = primary;
    return w;
}

// A hiragana's weights (a katakana is weighed as its hiragana); nothing for other characters.
std::optional<CollationWeights> WeighKana(char16_t kana) {
    CollationWeights w;
    w.kind = CollationKind::Kana;
    if (const auto i = kSmallKana.find(kana); i != kSmallKana.npos) {
        kana = kSmallKanaOf[i];
        w.small = true;
    } else if (const auto v = kVoicedKana.find(kana); v != kVoicedKana.npos) {
        kana = kVoicedKanaOf[v];
        w.elements[0].diacritic = kVoiced;
    } else if (const auto s = kSemiVoicedKana.find(kana); s != kSemiVoicedKana.npos) {
        kana = kSemiVoicedKanaOf[s];
        w.elements[0].diacritic = kSemiVoiced;
    }
    if (kana == u'ん') {
        w.extra = static_cast<std::uint16_t>(kKanaBase + kSyllabicN);
        w.elements[0].primary = TwoBytes(w.extra); // a prolonged mark after ん repeats it
        return w;
    }
    const auto cell = kSyllabary.find(kana);
    if (cell == kSyllabary.npos) {
        return std::nullopt;
    }
    w.elements[0].primary =
        TwoBytes(static_cast<std::uint16_t>(kKanaBase + 2 + 8 * (cell / 5) + cell % 5));
    w.extra = static_cast<std::uint16_t>(kKanaBase + 2 + cell % 5);
    return w;
}

// The weights of the kana and the marks that lean on the character before them; nothing for
// the other characters.
std::optional<CollationWeights> WeighByRule(char16_t c) {
    bool halfWidth = false;
    if (c >= kHalfWidthFirst &&
        static_cast<std::size_t>(c - kHalfWidthFirst) < kHalfWidthKana.size()) {
        c = kHalfWidthKana[static_cast<std::size_t>(c - kHalfWidthFirst)];
        halfWidth = true;
    }
    if (c == u'゛' || c == u'゜') {
        CollationWeights w = Kind(CollationKind::VoicedMark);
        w.mark = c == u'゛' ? kVoiced : kSemiVoiced;
        return w;
    }
    if (c == u'ー' || c == u'―') {
        CollationWeights w = Kind(CollationKind::ProlongedMark);
        w.halfWidth = halfWidth;
        return w;
    }
    for (const RepeatMark& r : kRepeatMarks) {
        if (r.mark == c) {
            CollationWeights w = Kind(CollationKind::RepeatMark);
            w.mark = r.diacritic;
            return w;
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
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF);
}

bool IsPrivate(char16_t c) {
    return c >= 0xE000 && c <= 0xF8FF;
}

// The private characters follow each other, four to a second byte, in three-byte weights.
Primary PrivateWeight(char16_t c) {
    const unsigned i = c - 0xE000u;
    const unsigned step = i / 4;
    return {{static_cast<std::uint8_t>(0xA9 + step / 254),
             static_cast<std::uint8_t>(2 + step % 254),
             static_cast<std::uint8_t>(2 + 0x41 * (i % 4))},
            3};
}

// The weights a recorded sort key holds: first-level entries, then after each 0x01 the
// diacritic, case and kana sections, then the last level (0xFFFF, less the number of entries
// before it, and the mark's own weight).
CollationWeights Parse(std::string_view key) {
    CollationWeights w;
    w.elementCount = 0;
    std::size_t i = 0;
    while (i + 1 < key.size() && key[i] != '\1' && w.elementCount < w.elements.size()) {
        w.elements[w.elementCount++].primary = TwoBytes(static_cast<std::uint16_t>(
            static_cast<unsigned char>(key[i]) << 8 | static_cast<unsigned char>(key[i + 1])));
        i += 2;
    }
    std::array<std::string_view, 4> sections; // diacritic, case, kana, last level
    for (std::string_view& section : sections) {
        const std::size_t start = std::min(i + 1, key.size());
        const std::size_t end =
            &section == &sections.back() ? key.size() : std::min(key.find('\1', start), key.size());
        section = key.substr(start, end - start);
        i = end;
    }
    for (std::size_t e = 0; e < w.elementCount; ++e) {
        if (e < sections[0].size()) {
            w.elements[e].diacritic = static_cast<std::uint8_t>(sections[0][e]);
        }
        if (e < sections[1].size()) {
            w.elements[e].width = static_cast<std::uint8_t>(sections[1][e]);
        }
    }
    if (w.elementCount == 0 && sections[3].size() == 4) {
        w.kind = CollationKind::WordPunctuation;
        w.extra = static_cast<std::uint16_t>(static_cast<unsigned char>(sections[3][2]) << 8 |
                                             static_cast<unsigned char>(sections[3][3]));
    }
    return w;
}

std::optional<CollationWeights> RecordedWeights(char16_t c) {
    const RecordedKey* first = RecordedKeys;
    const RecordedKey* last = RecordedKeys + RecordedKeyCount;
    const RecordedKey* found = std::lower_bound(
        first, last, c, [](const RecordedKey& k, char16_t value) { return k.character < value; });
    if (found == last || found->character != c) {
        return std::nullopt;
    }
    return Parse(std::string_view(found->key, found->length));
}

using IdeographWeightMap = std::unordered_map<char16_t, std::uint16_t>;

// Every unit the system reads as one character, with that character, in the order the
// ideographs' weights are recorded in: each lead byte with each second byte. (No single byte
// reads as an ideograph.)
template <typename Visit>
void ForEachPair(Visit visit) {
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead))) {
            continue;
        }
        const std::u16string characters = PairCharacters(static_cast<unsigned char>(lead));
        for (unsigned trail = 0x01; trail <= 0xFF; ++trail) {
            visit(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail),
                  characters[trail - 1]);
        }
    }
}

// The ideographs' first-level weights, each at the first code that names it.
IdeographWeightMap IdeographWeights() {
    IdeographWeightMap weights;
    unsigned weight = FirstIdeographWeight;
    const char* step = IdeographSteps;
    ForEachPair([&](unsigned char, unsigned char, char16_t c) {
        if (!IsIdeograph(c) || weights.contains(c)) {
            return;
        }
        if (!weights.empty()) {
            for (int n = *step++ - '0'; n > 0; --n) {
                weight = (weight & 0xFF) == 0xFF ? ((weight >> 8) + 1) << 8 | 0x02 : weight + 1;
            }
        }
        weights[c] = static_cast<std::uint16_t>(weight);
    });
    return weights;
}

// What a character weighs; each unit weighs as the character the system reads it as
// (undefined ones included).
CollationWeights Weigh(char16_t c, const IdeographWeightMap& ideographs) {
    std::optional<CollationWeights> w = WeighByRule(c);
    if (!w && IsPrivate(c)) {
        w = Plain(PrivateWeight(c));
    }
    if (const auto ideograph = ideographs.find(c); !w && ideograph != ideographs.end()) {
        w = Plain(TwoBytes(ideograph->second));
    }
    if (!w) {
        w = RecordedWeights(c);
    }
    // Every character code page 932 reads is recorded; anything else sorts last.
    return w.value_or(Plain(TwoBytes(0xFFFE)));
}

std::array<CollationWeights, 256> SingleByteWeights() {
    std::array<CollationWeights, 256> table;
    const IdeographWeightMap none;
    for (unsigned b = 0; b < 256; ++b) {
        const char single = static_cast<char>(b);
        table[b] = Weigh(SjisToUtf16(std::string_view(&single, 1)).front(), none);
    }
    return table;
}

constexpr std::size_t kLeadByteCount = 60;

std::size_t PairIndex(unsigned char lead, unsigned char trail) {
    const std::size_t row = lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + 31;
    return row * 256 + trail;
}

// The double-byte units' weights: a third of a megabyte, made at the first text that has one
// (most lines compared are single bytes only).
std::vector<CollationWeights> PairWeights() {
    std::vector<CollationWeights> table(kLeadByteCount * 256);
    const IdeographWeightMap ideographs = IdeographWeights();
    std::unordered_map<char16_t, CollationWeights> byCharacter;
    ForEachPair([&](unsigned char lead, unsigned char trail, char16_t c) {
        auto known = byCharacter.find(c);
        if (known == byCharacter.end()) {
            known = byCharacter.emplace(c, Weigh(c, ideographs)).first;
        }
        table[PairIndex(lead, trail)] = known->second;
    });
    return table;
}

} // namespace

CollationUnit NextCollationUnit(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (CharacterLength(text, pos) == 2) {
        static const std::vector<CollationWeights> pairs = PairWeights();
        return {&pairs[PairIndex(lead, static_cast<unsigned char>(text[pos + 1]))], 2};
    }
    static const std::array<CollationWeights, 256> single = SingleByteWeights();
    return {&single[lead], 1};
}

} // namespace mv
