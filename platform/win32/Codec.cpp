#include "platform/Codec.h"

#include <climits>
#include <windows.h>

namespace mv {
namespace {

constexpr UINT CodePage932 = 932;

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
    const auto back = ToWide(CodePage932, out);
    if (!back || std::wstring_view(*back) != wide) {
        return std::nullopt;
    }
    return out;
}

// Code page 932 to UTF-16 as the system converts it, with no flag: a byte or pair that names
// no character becomes what the system shows for it.
std::wstring SjisToWide(std::string_view sjis) {
    if (sjis.empty() || sjis.size() > INT_MAX) {
        return {};
    }
    const int inSize = static_cast<int>(sjis.size());
    const int n = ::MultiByteToWideChar(CodePage932, 0, sjis.data(), inSize, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    ::MultiByteToWideChar(CodePage932, 0, sjis.data(), inSize, out.data(), n);
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
