#include "platform/Codec.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <unordered_map>

namespace mv {

namespace {

struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>{}(text);
    }
};

} // namespace

std::string Sjis(std::string_view utf8) {
    // The same few dozen literals are converted at every race load: each is converted once.
    static std::mutex lock;
    static std::unordered_map<std::string, std::string, TextHash, std::equal_to<>> converted;
    const std::lock_guard<std::mutex> held(lock);
    if (const auto found = converted.find(utf8); found != converted.end()) {
        return found->second;
    }
    auto out = TryUtf8ToSjis(utf8);
    if (!out) {
        std::fprintf(stderr, "literal has no code page 932 form\n");
        std::abort();
    }
    return converted.emplace(utf8, std::move(*out)).first->second;
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
