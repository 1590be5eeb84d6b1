#pragma once

// The resolution a window is shown at. The viewer is aware of each monitor's resolution (its
// manifest says so) and scales the whole window itself; the functions that tell a window's
// resolution exist only on newer systems, so they are looked up when the viewer starts.

#include "platform/WindowDesign.h"

#include <windows.h>

namespace mv::win {

inline constexpr int DesignDpi = 96;

// The resolution of the monitor the window is on (the system's where the system cannot tell).
int WindowDpi(HWND window);

// The resolution of the primary monitor, for a window not yet created.
int SystemDpi();

// The outer size of a window with that style whose client area has the given size.
Size OuterSize(Size client, DWORD style, DWORD exStyle, int dpi);

} // namespace mv::win
