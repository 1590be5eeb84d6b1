#include "win/WinText.h"

#include "platform/Codec.h"

namespace mv::win {

std::wstring Wide(std::string_view sjis) {
    const std::u16string utf16 = SjisToUtf16(sjis);
    return std::wstring(utf16.begin(), utf16.end());
}

std::string Narrow(std::wstring_view wide) {
    const std::u16string utf16(wide.begin(), wide.end());
    if (auto whole = TryUtf16ToSjis(utf16)) {
        return *whole;
    }
    std::string narrow;
    for (const char16_t c : utf16) {
        const auto one = TryUtf16ToSjis(std::u16string(1, c));
        narrow += one ? *one : "?";
    }
    return narrow;
}

std::wstring WideFromUtf8(const char* utf8) {
    return utf8 == nullptr ? std::wstring() : Wide(Sjis(utf8));
}

} // namespace mv::win
