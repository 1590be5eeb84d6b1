#include "win/DesignedWindow.h"

#include "win/Controls.h"
#include "win/Dpi.h"
#include "win/RaceCardGrid.h"

#include <algorithm>

namespace mv::win {
namespace {

constexpr Colour White = 0xFFFFFF;

COLORREF ToColorRef(Colour c) {
    return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

} // namespace

DesignedWindow::~DesignedWindow() {
    for (const auto& entry : brushes_) {
        ::DeleteObject(entry.second);
    }
}

void DesignedWindow::Build(HWND window) {
    window_ = window;
    controls_.reserve(design_.widgets.size());
    for (std::size_t i = 0; i < design_.widgets.size(); ++i) {
        const WidgetDesign& w = design_.widgets[i];
        const HWND parent =
            w.parent == nullptr ? window : controls_[*FindWidget(design_, w.parent)];
        controls_.push_back(CreateControl(w, parent, ControlId(i)));
    }
    // Labels are drawn beneath the other controls, and a later label over an earlier one where
    // they overlap, as on a form's own canvas.
    for (std::size_t i = design_.widgets.size(); i-- > 0;) {
        if (design_.widgets[i].kind == WidgetKind::Label) {
            ::SetWindowPos(controls_[i], HWND_BOTTOM, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    Place();
}

Size DesignedWindow::ScaledClientSize(int dpi) const {
    const Size designed = ClientSize(design_);
    return {Scaled(designed.width, dpi), Scaled(designed.height, dpi)};
}

void DesignedWindow::Place() {
    if (controls_.empty()) {
        return; // a size set while the window is made, before its controls
    }
    const int dpi = WindowDpi(window_);
    const bool newFonts = dpi != fontDpi_;
    dpi_ = dpi;
    RECT client;
    ::GetClientRect(window_, &client);
    if (client.right <= 0 || client.bottom <= 0) {
        return; // minimised: the controls keep their places for the window's return
    }
    const std::vector<Rect> rects = LayOut(design_, {client.right, client.bottom}, dpi);
    HDWP batch = ::BeginDeferWindowPos(static_cast<int>(controls_.size()));
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const Rect& r = rects[i];
        if (batch != nullptr) {
            batch = ::DeferWindowPos(batch, controls_[i], nullptr, r.left, r.top, r.width, r.height,
                                     SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (batch != nullptr) {
        ::EndDeferWindowPos(batch);
    }
    if (!newFonts) {
        return;
    }
    fontDpi_ = dpi;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const HFONT font = fonts_.Get(EffectiveFont(design_, i), dpi);
        if (design_.widgets[i].kind == WidgetKind::Grid) {
            RaceCardGrid::Of(controls_[i])->SetFont(font, dpi);
        } else {
            ::SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        }
        const WidgetKind kind = design_.widgets[i].kind;
        if (kind == WidgetKind::Edit || kind == WidgetKind::Memo) {
            // Narrow margins, as the design's narrow edits need to show their texts whole (a
            // new font resets them to the font's own).
            const WORD margin = static_cast<WORD>(Scaled(1, dpi));
            ::SendMessageW(controls_[i], EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                           MAKELPARAM(margin, margin));
        }
    }
}

std::optional<std::size_t> DesignedWindow::IndexOf(HWND control) const {
    const auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(it - controls_.begin());
}

std::optional<LRESULT> DesignedWindow::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (const HBRUSH brush =
                ControlColour(reinterpret_cast<HWND>(l), reinterpret_cast<HDC>(w))) {
            return reinterpret_cast<LRESULT>(brush);
        }
        return std::nullopt;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(l);
        ::SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                       suggested->right - suggested->left, suggested->bottom - suggested->top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        Place();
        return 0;
    }
    default:
        return std::nullopt;
    }
}

HBRUSH DesignedWindow::ControlColour(HWND control, HDC dc) {
    const auto index = IndexOf(control);
    if (!index) {
        return nullptr;
    }
    const WidgetDesign& w = design_.widgets[*index];
    if (w.kind != WidgetKind::Edit && w.kind != WidgetKind::Memo) {
        return nullptr;
    }
    const Colour colour = (w.flags & Coloured) != 0 ? w.colour : White;
    HBRUSH& brush = brushes_[colour];
    if (brush == nullptr) {
        brush = ::CreateSolidBrush(ToColorRef(colour));
    }
    ::SetBkColor(dc, ToColorRef(colour));
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    return brush;
}

} // namespace mv::win
