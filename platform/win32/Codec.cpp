#include "platform/Codec.h"

#include <climits>
#include <windows.h>

namespace mv {
namespace {

constexpr UINT CodePage932 = 932;
constexpr wchar_t Replacement = 0xFFFD;

// True for the single bytes that are characters of their own: ASCII and half-width katakana.
// The system maps a few other bytes (0x80, 0xA0, 0xFD-0xFF) to private characters; here, as on
// every system, they form no character.
constexpr bool IsSingleByteCharacter(unsigned char b) {
    return b < 0x80 || (b >= 0xA1 && b <= 0xDF);
}

std::optional<std::wstring> ToWide(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) {
        return std::wstring();
    }
    if (bytes.size() > INT_MAX) {
        return std::nullopt;
    }
    const int inSize = static_cast<int>(bytes.size());
    const int n =
        ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), inSize, nullptr, 0);
    if (n <= 0) {
        return std::nullopt;
    }
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), inSize, out.data(), n);
    return out;
}

// Code page 932 from UTF-16; nothing when a character has no exact code page 932 form (the
// system's nearest look-alike would silently change a folder name).
std::optional<std::string> ToSjis(std::wstring_view wide) {
    if (wide.empty()) {
        return std::string();
    }
    if (wide.size() > INT_MAX) {
        return std::nullopt;
    }
    const int inSize = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int n = ::WideCharToMultiByte(CodePage932, WC_NO_BEST_FIT_CHARS, wide.data(), inSize,
                                        nullptr, 0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CodePage932, WC_NO_BEST_FIT_CHARS, wide.data(), inSize, out.data(), n,
                          nullptr, &usedDefault);
    // A text whose conversion does not come back unchanged would name another file.
    if (ToWide(CodePage932, out) != std::wstring(wide)) {
        return std::nullopt;
    }
    return out;
}

bool AllCharactersDefined(std::string_view sjis) {
    for (std::size_t i = 0; i < sjis.size(); i += CharacterLength(sjis, i)) {
        const auto b = static_cast<unsigned char>(sjis[i]);
        if (!IsSingleByteCharacter(b) && CharacterLength(sjis, i) == 1) {
            return false;
        }
    }
    return true;
}

// Code page 932 to UTF-16 where a byte that starts no character becomes U+FFFD and only that
// byte is skipped, so the characters after it survive.
std::wstring SjisToWide(std::string_view sjis) {
    if (AllCharactersDefined(sjis)) {
        if (auto whole = ToWide(CodePage932, sjis)) {
            return *whole;
        }
    }
    std::wstring out;
    for (std::size_t i = 0; i < sjis.size();) {
        const std::size_t length = CharacterLength(sjis, i);
        const auto b = static_cast<unsigned char>(sjis[i]);
        const auto one = (length == 2 || IsSingleByteCharacter(b))
                             ? ToWide(CodePage932, sjis.substr(i, length))
                             : std::nullopt;
        out += one ? *one : std::wstring(1, Replacement);
        i += one ? length : 1;
    }
    return out;
}

std::string WideToUtf8(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int inSize = static_cast<int>(wide.size());
    const int n =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), inSize, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), inSize, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace

std::optional<std::string> TryUtf8ToSjis(std::string_view utf8) {
    const auto wide = ToWide(CP_UTF8, utf8);
    return wide ? ToSjis(*wide) : std::nullopt;
}

std::string SjisToUtf8(std::string_view sjis) {
    return WideToUtf8(SjisToWide(sjis));
}

std::u16string SjisToUtf16(std::string_view sjis) {
    const std::wstring wide = SjisToWide(sjis);
    return std::u16string(wide.begin(), wide.end());
}

std::optional<std::string> TryUtf16ToSjis(std::u16string_view utf16) {
    return ToSjis(std::wstring(utf16.begin(), utf16.end()));
}

} // namespace mv
