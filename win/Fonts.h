#pragma once

// The window's fonts: the designed faces "ＭＳ Ｐゴシック" and "ＭＳ ゴシック" in the Shift_JIS
// character set, or, where a face is not installed, the nearest installed Japanese face of the
// same pitch. A fixed-pitch widget must stay fixed pitch, one column per byte, or the race card
// and odds tables no longer line up.

#include "platform/WindowDesign.h"

#include <map>
#include <string>
#include <utility>
#include <windows.h>

namespace mv::win {

class Fonts {
public:
    Fonts(); // looks up the installed faces once
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    // The face that stands for a designed face on this system.
    const std::wstring& FaceFor(Face face) const;

    // The font of a spec at a resolution; made once, owned here.
    HFONT Get(FontSpec spec, int dpi);

private:
    std::wstring proportional_;
    std::wstring fixed_;
    std::map<std::pair<int, int>, HFONT> fonts_; // by (face and height, resolution)
};

} // namespace mv::win
