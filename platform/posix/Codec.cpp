#include "platform/Codec.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iconv.h>

namespace mv {
namespace {

// One open conversion descriptor per direction, for the whole run.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            std::fprintf(stderr, "iconv cannot convert %s to %s\n", from, to);
            std::abort();
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts the whole input. A code page 932 unit the converter rejects is, when `undefined`
    // encodes a character, read as the system reads it (UndefinedCharacter, a whole character
    // as CharacterLength steps); otherwise the conversion fails.
    std::optional<std::string> Run(std::string_view in,
                                   std::string (*undefined)(char16_t) = nullptr) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        out.resize(in.size() * 4 + 16);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = out.data();
        std::size_t dstLeft = out.size();
        const auto append = [&](std::string_view bytes) {
            while (dstLeft < bytes.size()) {
                const std::size_t used = out.size() - dstLeft;
                out.resize(out.size() * 2);
                dst = out.data() + used;
                dstLeft = out.size() - used;
            }
            for (char c : bytes) {
                *dst++ = c;
                --dstLeft;
            }
        };
        while (srcLeft > 0) {
            if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1)) {
                break;
            }
            if (errno == E2BIG) {
                const std::size_t used = out.size() - dstLeft;
                out.resize(out.size() * 2);
                dst = out.data() + used;
                dstLeft = out.size() - used;
                continue;
            }
            // EILSEQ or EINVAL (an incomplete sequence at the end).
            if (undefined == nullptr) {
                return std::nullopt;
            }
            const std::size_t at = in.size() - srcLeft;
            const std::size_t skip = CharacterLength(in, at);
            append(undefined(UndefinedCharacter(static_cast<unsigned char>(in[at]))));
            src += skip;
            srcLeft -= skip;
        }
        out.resize(out.size() - dstLeft);
        return out;
    }

private:
    iconv_t cd_;
};

// Of code page 932 texts, from and to the encodings of the edges.
enum class Direction { FromUtf8, ToUtf8, ToUtf16, FromUtf16 };

Converter& ConverterFor(Direction d) {
    static Converter converters[] = {
        {"CP932", "UTF-8"}, {"UTF-8", "CP932"}, {"UTF-16LE", "CP932"}, {"CP932", "UTF-16LE"}};
    return converters[static_cast<int>(d)];
}

std::string EncodeUtf8(char16_t c) {
    // Undefined characters all lie in the Basic Multilingual Plane, above U+007F.
    if (c < 0x800) {
        return {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    }
    return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
            static_cast<char>(0x80 | (c & 0x3F))};
}

std::string EncodeUtf16(char16_t c) {
    return {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
}

bool IsAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

} // namespace

// Several characters share one code page 932 form (U+301C WAVE DASH and U+FF5E both become
// 0x81 0x60, U+00A5 YEN SIGN becomes "\"), and only one of them comes back: a name that
// does not come back unchanged would name another file, so it counts as not representable.
std::optional<std::string> TryUtf8ToSjis(std::string_view utf8) {
    if (IsAscii(utf8)) {
        return std::string(utf8);
    }
    auto sjis = ConverterFor(Direction::FromUtf8).Run(utf8);
    if (sjis && ConverterFor(Direction::ToUtf8).Run(*sjis) != std::string(utf8)) {
        return std::nullopt;
    }
    return sjis;
}

std::string SjisToUtf8(std::string_view sjis) {
    return *ConverterFor(Direction::ToUtf8).Run(sjis, EncodeUtf8);
}

std::u16string SjisToUtf16(std::string_view sjis) {
    const std::string bytes = *ConverterFor(Direction::ToUtf16).Run(sjis, EncodeUtf16);
    std::u16string out(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    return out;
}

std::optional<std::string> TryUtf16ToSjis(std::u16string_view utf16) {
    std::string bytes;
    bytes.reserve(utf16.size() * 2);
    for (char16_t c : utf16) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    auto sjis = ConverterFor(Direction::FromUtf16).Run(bytes);
    if (sjis && ConverterFor(Direction::ToUtf16).Run(*sjis) != bytes) {
        return std::nullopt;
    }
    return sjis;
}

} // namespace mv
