#include "platform/FullWidth.h"

#include "platform/Codec.h"

#include <array>
#include <vector>

namespace mv {
namespace {

constexpr unsigned char kVoicedMark = 0xDE;     // ﾞ
constexpr unsigned char kSemiVoicedMark = 0xDF; // ﾟ
// A mark that cannot be combined, and a pair whose combined form code page 932 lacks.
constexpr char kUnmappable = '?';

// The double-byte forms of one run of consecutive single bytes, first byte `first`.
struct FormRun {
    unsigned char first;
    const char* forms; // UTF-8, one character per byte of the run
};

// The other ASCII characters and the half-width katakana become their full-width forms; "\" is
// left as it is, as the locale's mapping does (the code page also reads it as the yen sign).
constexpr std::array kForms{
    FormRun{0x20, "　！＂＃＄％＆＇（）＊＋，－．／０１２３４５６７８９：；＜＝＞？＠"},
    FormRun{0x41, "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ［"},
    FormRun{0x5D, "］＾＿｀ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ｛｜｝～"},
    FormRun{0xA1, "。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテト"
                  "ナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン"},
};
constexpr FormRun kVoicedKaToTo{0xB6, "ガギグゲゴザジズゼゾダヂヅデド"};
constexpr FormRun kVoicedHaToHo{0xCA, "バビブベボ"};
constexpr FormRun kSemiVoicedHaToHo{0xCA, "パピプペポ"};
constexpr FormRun kVoicedU{0xB3, "ヴ"};

using FormTable = std::array<std::string, 256>;

void Fill(FormTable& table, const FormRun& run) {
    const std::string forms = Sjis(run.forms);
    for (std::size_t i = 0; i + 1 < forms.size(); i += 2) {
        table[run.first + i / 2] = forms.substr(i, 2);
    }
}

// A double-byte unit's form: its two bytes, or one byte after a 0 (which no lead byte is). Two
// bytes per unit make the table of every unit 30 KB, where strings made it half a megabyte.
using UnitForm = std::array<char, 2>;

UnitForm ToUnitForm(const std::string& form) {
    return form.size() == 2 ? UnitForm{form[0], form[1]} : UnitForm{'\0', form[0]};
}

void Append(std::string& out, const UnitForm& form) {
    if (form[0] == '\0') {
        out += form[1];
    } else {
        out.append(form.data(), form.size());
    }
}

struct Tables {
    FormTable single;     // by byte; empty: the byte stays as it is
    FormTable voiced;     // by the byte before ﾞ
    FormTable semiVoiced; // by the byte before ﾟ
    std::string loneLeadByte = Sjis("・");
    std::vector<UnitForm> pairs; // by PairIndex
};

constexpr std::size_t kLeadByteCount = 60;

std::size_t PairIndex(unsigned char lead, unsigned char trail) {
    const std::size_t row = lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + 31;
    return row * 256 + trail;
}

// A double-byte unit maps as the system maps it: read as its character, mapped, written back.
// So a character with two codes comes back under the one the system writes (NEC's and IBM's
// extension rows), a pair that names no character as "・", and ゛ ゜, which combine with
// nothing, as "?". Only those rows need writing back: elsewhere a character is its own code.
std::string PairForm(char lead, char trail, char16_t c) {
    if (c == u'゛' || c == u'゜') {
        return std::string(1, kUnmappable);
    }
    if (c == u'\u30FB') {
        return Sjis("・");
    }
    constexpr std::string_view RowsWithSecondCodes = "\x87\xED\xEE\xFA";
    if (RowsWithSecondCodes.find(lead) == std::string_view::npos) {
        return std::string{lead, trail};
    }
    return TryUtf16ToSjis(std::u16string(1, c)).value_or(Sjis("・"));
}

const Tables& FullWidthTables() {
    static const Tables tables = [] {
        Tables t;
        for (const FormRun& run : kForms) {
            Fill(t.single, run);
        }
        Fill(t.voiced, kVoicedKaToTo);
        Fill(t.voiced, kVoicedHaToHo);
        Fill(t.voiced, kVoicedU);
        Fill(t.semiVoiced, kSemiVoicedHaToHo);
        t.pairs.resize(kLeadByteCount * 256);
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLeadByte(static_cast<unsigned char>(lead))) {
                continue;
            }
            const std::u16string characters = PairCharacters(static_cast<unsigned char>(lead));
            for (unsigned trail = 0x01; trail <= 0xFF; ++trail) {
                t.pairs[PairIndex(static_cast<unsigned char>(lead),
                                  static_cast<unsigned char>(trail))] =
                    ToUnitForm(PairForm(static_cast<char>(lead), static_cast<char>(trail),
                                        characters[trail - 1]));
            }
        }
        return t;
    }();
    return tables;
}

// ﾜﾞ and ｦﾞ would be ヷ and ヺ, which code page 932 cannot hold.
constexpr bool IsUnmappablePair(unsigned char b, unsigned char mark) {
    return mark == kVoicedMark && (b == 0xDC || b == 0xA6);
}

// The system also joins ﾞ to a full-width ヰ or ヱ (not to ワ or ヲ), into ヸ and ヹ, which code
// page 932 cannot hold either.
constexpr bool IsUnmappableVoicedPair(unsigned char lead, unsigned char trail) {
    return lead == 0x83 && (trail == 0x90 || trail == 0x91);
}

} // namespace

std::string PortableToFullWidth(const std::string& text) {
    const Tables& t = FullWidthTables();
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        const unsigned char next =
            i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (IsLeadByte(b)) {
            if (CharacterLength(text, i) == 2) {
                const auto trail = static_cast<unsigned char>(text[i + 1]);
                const bool voiced =
                    i + 2 < text.size() && static_cast<unsigned char>(text[i + 2]) == kVoicedMark;
                if (voiced && IsUnmappableVoicedPair(b, trail)) {
                    out += kUnmappable;
                    i += 2;
                    continue;
                }
                Append(out, t.pairs[PairIndex(b, trail)]);
                ++i;
            } else {
                out += t.loneLeadByte;
            }
            continue;
        }
        const std::string* combined = next == kVoicedMark       ? &t.voiced[b]
                                      : next == kSemiVoicedMark ? &t.semiVoiced[b]
                                                                : nullptr;
        if (combined != nullptr && !combined->empty()) {
            out += *combined;
            ++i;
        } else if (IsUnmappablePair(b, next)) {
            out += kUnmappable;
            ++i;
        } else if (b == kVoicedMark || b == kSemiVoicedMark) {
            out += kUnmappable;
        } else if (!t.single[b].empty()) {
            out += t.single[b];
        } else {
            out += static_cast<char>(b);
        }
    }
    return out;
}

} // namespace mv
