#include "win/Fonts.h"

#include <vector>

namespace mv::win {
namespace {

struct InstalledFace {
    std::wstring name;
    bool fixed;
};

int CALLBACK AddFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM param) {
    auto& faces = *reinterpret_cast<std::vector<InstalledFace>*>(param);
    // "@" names the same face turned for vertical writing.
    if (font->lfFaceName[0] != L'@') {
        faces.push_back({font->lfFaceName, (font->lfPitchAndFamily & 3) == FIXED_PITCH});
    }
    return 1;
}

std::vector<InstalledFace> JapaneseFaces() {
    std::vector<InstalledFace> faces;
    const HDC screen = ::GetDC(nullptr);
    LOGFONTW wanted{};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    ::EnumFontFamiliesExW(screen, &wanted, AddFace, reinterpret_cast<LPARAM>(&faces), 0);
    ::ReleaseDC(nullptr, screen);
    return faces;
}

// The designed face first, then the Japanese faces that ship with Windows and with common
// Linux distributions (which Wine offers), best first.
const wchar_t* const FixedFaces[] = {
    L"ＭＳ ゴシック", L"MS Gothic", L"BIZ UDゴシック", L"BIZ UDGothic",
    L"IPAゴシック",   L"IPAGothic", L"VL ゴシック",    L"Noto Sans Mono CJK JP",
};
const wchar_t* const ProportionalFaces[] = {
    L"ＭＳ Ｐゴシック", L"MS PGothic",    L"BIZ UDPゴシック", L"Meiryo UI",    L"メイリオ",
    L"Meiryo",          L"IPA Pゴシック", L"IPAPGothic",      L"VL Pゴシック",
};

template <std::size_t N>
std::wstring Choose(const std::vector<InstalledFace>& installed,
                    const wchar_t* const (&preferred)[N], bool fixed) {
    for (const wchar_t* name : preferred) {
        for (const InstalledFace& face : installed) {
            if (face.name == name && face.fixed == fixed) {
                return face.name;
            }
        }
    }
    for (const InstalledFace& face : installed) {
        if (face.fixed == fixed) {
            return face.name;
        }
    }
    // No Japanese face at all: the system maps the designed name as best it can.
    return preferred[0];
}

} // namespace

Fonts::Fonts() {
    const std::vector<InstalledFace> installed = JapaneseFaces();
    fixed_ = Choose(installed, FixedFaces, true);
    proportional_ = Choose(installed, ProportionalFaces, false);
}

Fonts::~Fonts() {
    for (const auto& entry : fonts_) {
        ::DeleteObject(entry.second);
    }
}

const std::wstring& Fonts::FaceFor(Face face) const {
    return face == Face::Fixed ? fixed_ : proportional_;
}

HFONT Fonts::Get(FontSpec spec, int dpi) {
    const bool fixed = spec.face == Face::Fixed;
    const std::pair<int, int> key{spec.pixelHeight * 2 + (fixed ? 1 : 0), dpi};
    if (const auto it = fonts_.find(key); it != fonts_.end()) {
        return it->second;
    }
    LOGFONTW font{};
    // A negative height is the characters' height, as the design gives it.
    font.lfHeight = -ScaledFontHeight(spec.pixelHeight, dpi);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily =
        static_cast<BYTE>(fixed ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS);
    const std::wstring& face = FaceFor(spec.face);
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    const HFONT made = ::CreateFontIndirectW(&font);
    fonts_[key] = made;
    return made;
}

} // namespace mv::win
