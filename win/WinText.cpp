#include "win/WinText.h"

#include "platform/Codec.h"

namespace mv::win {

std::wstring Wide(std::string_view sjis) {
    const std::u16string utf16 = SjisToUtf16(sjis);
    return std::wstring(utf16.begin(), utf16.end());
}

std::wstring WideFromUtf8(const char* utf8) {
    return utf8 == nullptr ? std::wstring() : Wide(Sjis(utf8));
}

} // namespace mv::win
