#include "platform/Collation.h"
#include "platform/FullWidth.h"

#include <windows.h>

// The sort comparison and the full-width mapping are the user's locale's, as the system gives
// them, where that locale reads its texts as code page 932. A locale of another code page would
// read the bytes as other characters; there the portable emulation of the Japanese locale's
// functions stands in, so the viewer sorts and maps alike on a Windows of any language. Texts
// are passed up to their first NUL, as the system reads them; lines hold none.

namespace mv {
namespace {

constexpr DWORD SortFlags = NORM_IGNORECASE;

bool UserLocaleReadsCodePage932() {
    static const bool reads = [] {
        DWORD codePage = 0;
        const int n = ::GetLocaleInfoW(
            LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
            reinterpret_cast<LPWSTR>(&codePage), sizeof(codePage) / sizeof(WCHAR));
        return n > 0 && codePage == 932;
    }();
    return reads;
}

// The mapping of text (NUL included) under flags, without the final NUL. The output is sized
// by asking first, so no text is too long to map.
std::string MapString(LCID locale, DWORD flags, const std::string& text) {
    const int size = ::LCMapStringA(locale, flags, text.c_str(), -1, nullptr, 0);
    if (size <= 0) {
        return {};
    }
    std::string out(static_cast<std::size_t>(size), '\0');
    const int written = ::LCMapStringA(locale, flags, text.c_str(), -1, out.data(), size);
    out.resize(written > 0 ? static_cast<std::size_t>(written) - 1 : 0);
    return out;
}

} // namespace

bool RowSortIsPortable() {
    return !UserLocaleReadsCodePage932();
}

int CompareRowText(const std::string& a, const std::string& b) {
    if (!UserLocaleReadsCodePage932()) {
        return PortableCompareRowText(a, b);
    }
    const int result =
        ::CompareStringA(LOCALE_USER_DEFAULT, SortFlags, a.c_str(), -1, b.c_str(), -1);
    if (result == 0) {
        // Only invalid arguments fail; the bytes still give a consistent order.
        return a.compare(b);
    }
    return result - CSTR_EQUAL;
}

std::string RowSortKey(const std::string& text) {
    if (!UserLocaleReadsCodePage932()) {
        return PortableRowSortKey(text);
    }
    return MapString(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | SortFlags, text);
}

void AppendRowSortKey(const std::string& text, std::string& out) {
    if (!UserLocaleReadsCodePage932()) {
        AppendPortableRowSortKey(text, out);
        return;
    }
    out += RowSortKey(text);
}

std::string ToFullWidth(const std::string& text) {
    if (!UserLocaleReadsCodePage932()) {
        return PortableToFullWidth(text);
    }
    return MapString(::GetUserDefaultLCID(), LCMAP_FULLWIDTH, text);
}

} // namespace mv
