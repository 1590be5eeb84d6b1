#pragma once

// One native control per designed widget: the window class and styles of its kind, created
// hidden or shown as designed. Panels and group boxes pass their children's notifications on
// to the window, which alone handles them.

#include "platform/WindowDesign.h"

#include <cstddef>
#include <optional>
#include <windows.h>

namespace mv::win {

// Control ids follow the design's order, so a widget is found by its index in the design.
inline constexpr int FirstControlId = 100;
constexpr int ControlId(std::size_t designIndex) {
    return FirstControlId + static_cast<int>(designIndex);
}
constexpr std::optional<std::size_t> DesignIndex(int controlId, std::size_t widgets) {
    if (controlId < FirstControlId ||
        static_cast<std::size_t>(controlId - FirstControlId) >= widgets) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(controlId - FirstControlId);
}

// Creates the control of a widget (its caption included) inside parent.
HWND CreateControl(const WidgetDesign& widget, HWND parent, int id);

// Replaces a memo's whole text while nothing of it is drawn (what WM_SETREDRAW does on
// Windows), then repaints it once. A visible edit control measures each line through a window
// device context and redraws its scroll bar at each update, which made a long odds panel cost
// tens of milliseconds under Wine, whose edit control does not honour WM_SETREDRAW.
void SetMemoText(HWND memo, const wchar_t* text);

} // namespace mv::win
