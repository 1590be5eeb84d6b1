#include "win/MainWindow.h"

#include "app/ContextMenu.h"
#include "app/FocusOrder.h"
#include "app/Keys.h"
#include "common/MainFormDesign.h"
#include "platform/Dispatch.h"
#include "win/Controls.h"
#include "win/Dpi.h"
#include "win/RaceCardGrid.h"
#include "win/WinText.h"
#include "win/WindowClass.h"

#include <algorithm>
#include <exception>
#include <windowsx.h>

namespace mv::win {
namespace {

constexpr DWORD Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD ExStyle = WS_EX_CONTROLPARENT;
// Posted on the first activation, so that a dialog the set-up check opens runs once the
// activation is done.
constexpr UINT FirstActivation = WM_APP + 1;
// Follow mode's one timer.
constexpr UINT_PTR FollowTimer = 1;
// The context menu's items are numbered from here.
constexpr UINT FirstMenuItem = 1;

} // namespace

MainWindow::MainWindow(WinUiServices& ui, TMainForm& form, Fonts& fonts)
    : ui_(ui), form_(form), controls_(MainFormDesign(), fonts) {
    RegisterWindowClass(MainWindowClass, WindowProcedure<MainWindow>,
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                        ::LoadIconW(::GetModuleHandleW(nullptr), IDI_APPLICATION));
    const int dpi = SystemDpi();
    const Size outer = OuterSize(controls_.ScaledClientSize(dpi), Style, ExStyle, dpi);
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const std::wstring caption = WideFromUtf8(MainFormDesign().caption);
    hwnd_ = ::CreateWindowExW(ExStyle, MainWindowClass, caption.c_str(), Style,
                              area.left + (area.right - area.left - outer.width) / 2,
                              area.top + (area.bottom - area.top - outer.height) / 2, outer.width,
                              outer.height, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // On a monitor of another resolution than the primary one, the size follows it.
    if (const int own = WindowDpi(hwnd_); own != dpi) {
        const Size resized = OuterSize(controls_.ScaledClientSize(own), Style, ExStyle, own);
        ::SetWindowPos(hwnd_, nullptr, 0, 0, resized.width, resized.height,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    controls_.Build(hwnd_);
    Bind();
    ui_.setOwner(hwnd_);
    Run([this] { form_.FormCreate(); });
}

void MainWindow::Show(int how) {
    ::ShowWindow(hwnd_, how);
    ::UpdateWindow(hwnd_);
}

// Each control to the model field it shows or the handler it runs, through the core's bindings.
void MainWindow::Bind() {
    const WindowDesign& design = controls_.design();
    shown_.resize(controls_.Count());
    for (std::size_t i = 0; i < controls_.Count(); ++i) {
        const WidgetDesign& w = design.widgets[i];
        shown_[i] = WideFromUtf8(w.caption);
        if (const auto text = TextOf(w.name)) {
            texts_.push_back({i, *text});
        }
        if (const auto lines = LinesOf(w.name)) {
            memos_.push_back({i, *lines});
        }
        if (const auto visible = VisibilityOf(w.name)) {
            visibilities_.push_back({i, *visible});
        }
        if (const auto handler = MainFormClicks().HandlerOf(w.name)) {
            handlers_.push_back({i, *handler});
        }
        if (const auto radio = MainFormClicks().RadioNamed(w.name)) {
            radios_[static_cast<std::size_t>(*radio)] = i;
        }
        if (w.kind == WidgetKind::Grid) {
            grid_ = i;
        }
    }
}

void MainWindow::SetText(std::size_t control, std::wstring text) {
    if (shown_[control] != text) {
        ::SetWindowTextW(controls_.Control(control), text.c_str());
        shown_[control] = std::move(text);
    }
}

void MainWindow::SetMemo(std::size_t control, std::wstring text) {
    if (shown_[control] != text) {
        SetMemoText(controls_.Control(control), text.c_str());
        shown_[control] = std::move(text);
    }
}

void MainWindow::SetVisible(HWND control, bool visible) {
    const bool shown = (::GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != visible) {
        ::ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
    }
}

void MainWindow::Render() {
    const MainWindowModel& m = form_.window();
    if (std::wstring caption = Wide(form_.follow().Caption()); caption != caption_) {
        ::SetWindowTextW(hwnd_, caption.c_str());
        caption_ = std::move(caption);
    }
    for (const auto& t : texts_) {
        SetText(t.control, Wide(m.*t.field));
    }
    for (const auto& memo : memos_) {
        SetMemo(memo.control, Wide((m.*memo.field).text()));
    }
    RaceCardGrid::Of(controls_.Control(grid_))->Show(m.DEGrid, m.DEGridMarks);
    for (const auto& v : visibilities_) {
        SetVisible(controls_.Control(v.control), m.*v.field);
    }
    for (std::size_t r = 0; r < radios_.size(); ++r) {
        const RadioButton& model = m.radios[r];
        const HWND button = controls_.Control(radios_[r]);
        SetText(radios_[r], Wide(model.caption));
        SetVisible(button, model.visible);
        const WPARAM check = model.checked ? BST_CHECKED : BST_UNCHECKED;
        if (static_cast<WPARAM>(::SendMessageW(button, BM_GETCHECK, 0, 0)) != check) {
            ::SendMessageW(button, BM_SETCHECK, check, 0);
        }
    }
}

void MainWindow::Run(const std::function<void()>& handler) {
    ++running_;
    {
        const mv::Follow::Hold hold(form_.follow());
        Dispatch(ui_, handler, [this] { Render(); });
    }
    Dispatch(ui_, [this] { Render(); });
    SyncFollow();
    --running_;
    if (running_ == 0 && ui_.endRequested()) {
        ::DestroyWindow(hwnd_);
    }
}

bool MainWindow::TakeKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd))) {
        return false;
    }
    if (MoveFocus(msg.wParam)) {
        return true;
    }
    static constexpr std::pair<WPARAM, Key> Keys[] = {
        {VK_F1, Key::F1},
        {VK_F5, Key::F5},
        {VK_PRIOR, Key::PageUp},
        {VK_NEXT, Key::PageDown},
        {VK_ESCAPE, Key::Escape},
        {'1', Key::Digit1},
        {'2', Key::Digit2},
        {'3', Key::Digit3},
        {'4', Key::Digit4},
        {'5', Key::Digit5},
        {'6', Key::Digit6},
        {'C', Key::C},
        {'S', Key::S},
    };
    const auto* found = std::find_if(std::begin(Keys), std::end(Keys),
                                     [&](const auto& k) { return k.first == msg.wParam; });
    if (found == std::end(Keys) || ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_MENU) < 0) {
        return false;
    }
    const auto action = KeyAction(form_, {found->second, ::GetKeyState(VK_CONTROL) < 0});
    if (!action) {
        return false;
    }
    if (*action) {
        Run([this, handler = *action, focused = Focused()] { handler(form_, focused); });
    }
    return true;
}

// Tab and Shift+Tab go through the window's stops, the arrow keys round a radio group, where
// the core says; the focus marks show from the first of these keys on, as in any dialog.
bool MainWindow::MoveFocus(WPARAM key) {
    if (::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0) {
        return false;
    }
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    std::optional<FocusMove> move;
    if (key == VK_TAB) {
        move = shift ? FocusMove::Previous : FocusMove::Next;
    } else if (!shift && (key == VK_RIGHT || key == VK_DOWN)) {
        move = FocusMove::GroupNext;
    } else if (!shift && (key == VK_LEFT || key == VK_UP)) {
        move = FocusMove::GroupPrevious;
    }
    if (!move) {
        return false;
    }
    const auto step = mv::MoveFocus(form_.window(), Focused().name, *move);
    if (!step) {
        return false;
    }
    const auto& widgets = controls_.design().widgets;
    for (std::size_t i = 0; i < widgets.size(); ++i) {
        if (step->control == widgets[i].name) {
            ::SetFocus(controls_.Control(i));
        }
    }
    ::SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (step->check) {
        Run([this, r = *step->check] { form_.Check(r); });
    }
    return true;
}

// The window's control that has the focus, and a memo's selected text.
FocusedControl MainWindow::Focused() const {
    FocusedControl focused;
    const HWND focus = ::GetFocus();
    for (std::size_t i = 0; i < controls_.Count(); ++i) {
        if (controls_.Control(i) != focus) {
            continue;
        }
        const WidgetDesign& w = controls_.design().widgets[i];
        focused.name = w.name;
        if (w.kind == WidgetKind::Memo) {
            DWORD start = 0, end = 0;
            ::SendMessageW(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                           reinterpret_cast<LPARAM>(&end));
            std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(focus)) + 1, L'\0');
            text.resize(static_cast<std::size_t>(
                ::GetWindowTextW(focus, text.data(), static_cast<int>(text.size()))));
            if (start < end && end <= text.size()) {
                focused.selection = Narrow(std::wstring_view(text).substr(start, end - start));
            }
        }
        break;
    }
    return focused;
}

HANDLE MainWindow::FollowHandle() const {
    const std::intptr_t handle = form_.follow().Handle();
    return handle < 0 ? nullptr : reinterpret_cast<HANDLE>(handle);
}

void MainWindow::FollowNoticed() {
    Follow([this] { form_.FollowNoticed(); });
}

void MainWindow::Follow(const std::function<void()>& step) {
    // Each memo's first visible line and horizontal position, as the user left them.
    std::vector<std::pair<HWND, std::pair<LRESULT, int>>> scrolled;
    for (const auto& memo : memos_) {
        const HWND edit = controls_.Control(memo.control);
        scrolled.push_back(
            {edit,
             {::SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), ::GetScrollPos(edit, SB_HORZ)}});
    }
    // A reload that fails shows nothing and changes nothing; the next change tries again.
    try {
        step();
        Render();
    } catch (const std::exception&) {
    }
    for (const auto& [edit, at] : scrolled) {
        const LRESULT first = ::SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
        if (first != at.first) {
            ::SendMessageW(edit, EM_LINESCROLL, 0, at.first - first);
        }
        if (::GetScrollPos(edit, SB_HORZ) != at.second) {
            ::SendMessageW(edit, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, at.second), 0);
        }
    }
    SyncFollow();
}

void MainWindow::SyncFollow() {
    form_.FollowSync();
    if (const auto wake = form_.follow().Wake()) {
        ::SetTimer(hwnd_, FollowTimer, static_cast<UINT>(std::max(*wake, 1)), nullptr);
    } else {
        ::KillTimer(hwnd_, FollowTimer);
    }
}

void MainWindow::ShowContextMenu(LPARAM at) {
    POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    // From the keyboard (Shift+F10, the menu key): at the focused control.
    if (p.x == -1 && p.y == -1) {
        RECT r{};
        const HWND focused = ::GetFocus();
        ::GetWindowRect(focused != nullptr ? focused : hwnd_, &r);
        p = {r.left + (r.right - r.left) / 2, r.top + (r.bottom - r.top) / 2};
    }
    const FocusedControl focused = Focused();
    const std::vector<ContextMenuItem> items = ContextMenuOf(form_, focused);
    const HMENU menu = ::CreatePopupMenu();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto flags =
            static_cast<UINT>(MF_STRING | (items[i].checked ? MF_CHECKED : MF_UNCHECKED) |
                              (items[i].enabled ? MF_ENABLED : MF_GRAYED));
        ::AppendMenuW(menu, flags, FirstMenuItem + i, Wide(items[i].caption).c_str());
    }
    const auto chosen = static_cast<UINT>(::TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, p.x, p.y, 0, hwnd_, nullptr));
    ::DestroyMenu(menu);
    if (chosen >= FirstMenuItem && chosen - FirstMenuItem < items.size()) {
        Run([this, run = items[chosen - FirstMenuItem].run, &focused] { run(form_, focused); });
    }
}

void MainWindow::Clicked(std::size_t control) {
    for (const auto& h : handlers_) {
        if (h.control == control) {
            Run([this, handler = h.field] { (form_.*handler)(); });
            return;
        }
    }
    for (std::size_t r = 0; r < radios_.size(); ++r) {
        if (radios_[r] == control) {
            Run([this, r] { form_.Check(static_cast<Radio>(r)); });
            return;
        }
    }
}

LRESULT MainWindow::Handle(UINT message, WPARAM w, LPARAM l) {
    if (const auto handled = controls_.Handle(message, w, l)) {
        return *handled;
    }
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(w) == BN_CLICKED && l != 0) {
            if (const auto control = DesignIndex(LOWORD(w), controls_.Count())) {
                Clicked(*control);
            }
        }
        return 0;
    case WM_SIZE:
        controls_.Place();
        return 0;
    case WM_CONTEXTMENU:
        ShowContextMenu(l);
        return 0;
    case WM_TIMER:
        if (w == FollowTimer) {
            ::KillTimer(hwnd_, FollowTimer);
            Follow([this] { form_.FollowTimerFired(); });
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(w) != WA_INACTIVE && !activated_) {
            activated_ = true;
            ::PostMessageW(hwnd_, FirstActivation, 0, 0);
        }
        break;
    case FirstActivation:
        Run([this] { form_.FormActivate(); });
        return 0;
    case WM_CLOSE:
        // The close box ends the program; while a handler runs (a dialog is open over the
        // window), once it is done.
        if (running_ > 0) {
            ui_.RequestEnd();
            return 0;
        }
        ::DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(hwnd_, message, w, l);
}

} // namespace mv::win
