#include "win/Controls.h"

#include "win/RaceCardGrid.h"
#include "win/WinText.h"
#include "win/WindowClass.h"

#include <array>
#include <commctrl.h>

namespace mv::win {
namespace {

constexpr wchar_t PanelClass[] = L"MvPanel";

// What a child tells its parent: the window decides, so containers pass it on.
bool IsNotification(UINT message) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_DRAWITEM:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM w, LPARAM l) {
    if (IsNotification(message)) {
        return ::SendMessageW(::GetParent(panel), message, w, l);
    }
    if (message == WM_PAINT) {
        // A raised edge one pixel wide around the panel.
        PAINTSTRUCT paint;
        const HDC dc = ::BeginPaint(panel, &paint);
        RECT r;
        ::GetClientRect(panel, &r);
        ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
        ::EndPaint(panel, &paint);
        return 0;
    }
    if (message == WM_SIZE) {
        // The edge moves with the panel's size.
        ::InvalidateRect(panel, nullptr, TRUE);
    }
    return ::DefWindowProcW(panel, message, w, l);
}

// A group box holds its buttons as children: it passes their notifications on and paints the
// area behind them, which a plain group box leaves as it was.
LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR) {
    if (IsNotification(message)) {
        return ::SendMessageW(::GetParent(box), message, w, l);
    }
    if (message == WM_ERASEBKGND) {
        RECT r;
        ::GetClientRect(box, &r);
        ::FillRect(reinterpret_cast<HDC>(w), &r, ::GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    return ::DefSubclassProc(box, message, w, l);
}

struct NativeKind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

NativeKind KindOf(const WidgetDesign& d) {
    const bool readOnly = (d.flags & ReadOnly) != 0;
    switch (d.kind) {
    case WidgetKind::Panel:
        return {PanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case WidgetKind::Label:
        // Never wrapped: a caption that does not fit is cut, not moved to a hidden line.
        return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
    case WidgetKind::GroupBox:
        // Its caption changes with each odds fetch: repainting it must not repaint the memo and
        // buttons inside it.
        return {L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case WidgetKind::RadioButton:
        // Not the automatic style: the core's radio rule decides what is checked.
        return {L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0};
    case WidgetKind::PushButton:
        return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case WidgetKind::Edit:
        return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | (readOnly ? ES_READONLY : 0u),
                WS_EX_CLIENTEDGE};
    case WidgetKind::Memo: {
        DWORD style = ES_MULTILINE | WS_TABSTOP | (readOnly ? ES_READONLY : 0u);
        style |= (d.flags & VerticalScrollBar) != 0 ? WS_VSCROLL : 0u;
        // A memo that wraps gets its horizontal bar once created: created with one, an edit
        // control scrolls sideways instead of wrapping.
        if ((d.flags & WordWrap) == 0) {
            style |= ES_AUTOHSCROLL | ((d.flags & HorizontalScrollBar) != 0 ? WS_HSCROLL : 0u);
        }
        return {L"EDIT", style, WS_EX_CLIENTEDGE};
    }
    case WidgetKind::Grid:
        return {RaceCardGridClass(), WS_HSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE};
    }
    return {L"STATIC", 0, 0};
}

} // namespace

HWND CreateControl(const WidgetDesign& widget, HWND parent, int id) {
    RegisterWindowClass(PanelClass, PanelProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const NativeKind kind = KindOf(widget);
    const DWORD visible = (widget.flags & InitiallyHidden) != 0 ? 0u : WS_VISIBLE;
    const std::wstring caption = WideFromUtf8(widget.caption);
    const HWND control = ::CreateWindowExW(
        kind.exStyle, kind.windowClass, caption.c_str(),
        WS_CHILD | WS_CLIPSIBLINGS | visible | kind.style, widget.place.left, widget.place.top,
        widget.place.width, widget.place.height, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    if (control == nullptr) {
        return nullptr;
    }
    if (widget.kind == WidgetKind::GroupBox) {
        ::SetWindowSubclass(control, GroupBoxProc, 0, 0);
    }
    if (widget.kind == WidgetKind::Memo && (widget.flags & WordWrap) != 0 &&
        (widget.flags & HorizontalScrollBar) != 0) {
        ::SetWindowLongPtrW(control, GWL_STYLE,
                            ::GetWindowLongPtrW(control, GWL_STYLE) | WS_HSCROLL);
        ::SetWindowPos(control, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (widget.kind == WidgetKind::Edit || widget.kind == WidgetKind::Memo) {
        // No limit below what the memos may hold.
        ::SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
    }
    return control;
}

namespace {

// What a memo's scroll bars show.
struct ScrollState {
    int min = 0, max = 0, pos = 0;
    UINT page = 0;
    bool operator==(const ScrollState&) const = default;
};

std::array<ScrollState, 2> ScrollStateOf(HWND memo) {
    std::array<ScrollState, 2> state{};
    for (int bar : {SB_VERT, SB_HORZ}) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        if (::GetScrollInfo(memo, bar, &info)) {
            state[bar == SB_VERT ? 0 : 1] = {info.nMin, info.nMax, info.nPos, info.nPage};
        }
    }
    return state;
}

} // namespace

void SetMemoText(HWND memo, const wchar_t* text) {
    // Its parent (a group box or panel) is made invisible rather than the memo itself: a
    // window made visible again has its frame repainted, and a scroll bar is the costliest
    // thing Wine draws.
    const HWND parent = ::GetParent(memo);
    const bool childParent =
        parent != nullptr && (::GetWindowLongPtrW(parent, GWL_STYLE) & WS_CHILD) != 0;
    const HWND hidden = childParent ? parent : memo;
    const LONG_PTR style = ::GetWindowLongPtrW(hidden, GWL_STYLE);
    if (!::IsWindowVisible(memo)) {
        ::SetWindowTextW(memo, text);
        return;
    }
    const auto before = ScrollStateOf(memo);
    ::SetWindowLongPtrW(hidden, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_VISIBLE));
    ::SetWindowTextW(memo, text);
    ::SetWindowLongPtrW(hidden, GWL_STYLE, style);
    // Scroll bars that changed while nothing was drawn are painted again with the text.
    const UINT frame = ScrollStateOf(memo) != before ? RDW_FRAME : 0u;
    ::RedrawWindow(memo, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | frame);
}

} // namespace mv::win
