#pragma once

// The native controls of a designed window: created from the core's design, placed by the
// core's layout at the window's resolution, in the design's fonts and colours. Both windows of
// the viewer are built by it.

#include "platform/WindowDesign.h"
#include "win/Fonts.h"

#include <map>
#include <optional>
#include <vector>
#include <windows.h>

namespace mv::win {

class DesignedWindow {
public:
    DesignedWindow(const WindowDesign& design, Fonts& fonts) : design_(design), fonts_(fonts) {}
    ~DesignedWindow();
    DesignedWindow(const DesignedWindow&) = delete;
    DesignedWindow& operator=(const DesignedWindow&) = delete;

    // Creates every control inside window, in the design's order (which is the tab order).
    void Build(HWND window);
    // Places the controls for the window's client area and sets their fonts, at the window's
    // resolution; called again when the window's size or resolution changes.
    void Place();

    // The client area's size at a resolution, as designed.
    Size ScaledClientSize(int dpi) const;

    HWND Control(std::size_t index) const { return controls_[index]; }
    std::size_t Count() const { return controls_.size(); }
    // The design index of a control of this window.
    std::optional<std::size_t> IndexOf(HWND control) const;
    const WindowDesign& design() const { return design_; }
    int dpi() const { return dpi_; }

    // The messages both windows handle alike: the background of an edit or a memo (a
    // read-only one is white, not grey, and a coloured one has its design colour), and a new
    // resolution (the window takes the size the system suggests, and every control follows).
    // Nothing for the other messages.
    std::optional<LRESULT> Handle(UINT message, WPARAM w, LPARAM l);

private:
    HBRUSH ControlColour(HWND control, HDC dc);

    const WindowDesign& design_;
    Fonts& fonts_;
    HWND window_ = nullptr;
    std::vector<HWND> controls_;
    std::map<Colour, HBRUSH> brushes_;
    int dpi_ = 96;
    int fontDpi_ = 0; // the resolution the controls' fonts were set for
};

} // namespace mv::win
