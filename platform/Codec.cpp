#include "platform/Codec.h"

#include <cstdio>
#include <cstdlib>

namespace mv {

std::string Sjis(std::string_view utf8) {
    auto out = TryUtf8ToSjis(utf8);
    if (!out) {
        std::fprintf(stderr, "literal has no code page 932 form\n");
        std::abort();
    }
    return *out;
}

std::string FoldAsciiCase(std::string_view sjis) {
    std::string out(sjis);
    for (std::size_t i = 0; i < out.size(); i += CharacterLength(out, i)) {
        if (out[i] >= 'a' && out[i] <= 'z') {
            out[i] = static_cast<char>(out[i] - 32);
        }
    }
    return out;
}

std::size_t LastCharacterStart(std::string_view sjis) {
    std::size_t last = 0;
    for (std::size_t i = 0; i < sjis.size(); i += CharacterLength(sjis, i)) {
        last = i;
    }
    return last;
}

std::u16string PairCharacters(unsigned char lead) {
    std::string row;
    for (unsigned trail = 0x01; trail <= 0xFF; ++trail) {
        row += static_cast<char>(lead);
        row += static_cast<char>(trail);
    }
    return SjisToUtf16(row);
}

} // namespace mv
