#include "win32/ViewerProcess.h"

#include "common/MainFormDesign.h"
#include "settings/SubFormDesign.h"
#include "win/Controls.h"
#include "win/Dpi.h"
#include "win/MainWindow.h"
#include "win/SettingsDialog.h"

#include <stdexcept>
#include <string_view>

namespace mv::test {
namespace {

// How long the viewer may take to handle one event (Wine starts slowly on a busy machine).
constexpr DWORD EventTimeoutMs = 20000;
constexpr DWORD PollMs = 50;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

struct Search {
    int id;
    HWND found;
};

BOOL CALLBACK FindById(HWND child, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    if (::GetDlgCtrlID(child) == search.id) {
        search.found = child;
        return FALSE;
    }
    return TRUE;
}

HWND ControlOf(HWND window, const WindowDesign& design, const char* name) {
    const auto index = FindWidget(design, name);
    if (window == nullptr || !index) {
        throw std::runtime_error(std::string("no control ") + name);
    }
    Search search{win::ControlId(*index), nullptr};
    ::EnumChildWindows(window, FindById, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) {
        throw std::runtime_error(std::string("no control ") + name);
    }
    return search.found;
}

BOOL CALLBACK AddChild(HWND child, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
    return TRUE;
}

std::vector<HWND> Children(HWND window) {
    std::vector<HWND> children;
    ::EnumChildWindows(window, AddChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

Modal Describe(HWND window) {
    Modal m{Modal::Kind::MessageBox, window, TextOf(window), {}, false, {}};
    if (ClassOf(window) == win::SettingsDialogClass) {
        m.kind = Modal::Kind::SettingsDialog;
        return m;
    }
    for (HWND child : Children(window)) {
        const std::wstring cls = ClassOf(child);
        if (cls == L"SysTreeView32") {
            m.kind = Modal::Kind::FolderChooser;
        } else if (cls == L"Static") {
            const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
            if ((style & SS_TYPEMASK) == SS_ICON) {
                DWORD_PTR icon = 0;
                ::SendMessageTimeoutW(child, STM_GETICON, 0, 0, SMTO_NORMAL, EventTimeoutMs, &icon);
                m.icon = m.icon || ((style & WS_VISIBLE) != 0 && icon != 0);
            } else if (const std::wstring text = TextOf(child); text.size() > m.text.size()) {
                m.text = text;
            }
        } else if (cls == L"Button" && (::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE)) {
            m.buttons.push_back(::GetDlgCtrlID(child));
        }
    }
    if (m.kind == Modal::Kind::FolderChooser) {
        m.text.clear();
    }
    return m;
}

// The chooser shows its start folder in its field once it has selected it; until then an
// answer would take whatever the tree happened to hold.
bool ChooserShowsItsFolder(HWND window) {
    for (HWND child : Children(window)) {
        if (ClassOf(child) == L"Edit" && !TextOf(child).empty()) {
            return true;
        }
    }
    return false;
}

BOOL CALLBACK AddWindow(HWND window, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

// This process sees the viewer's windows in their own pixels, at any resolution.
void BecomeDpiAware() {
    using SetContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    const auto set = reinterpret_cast<SetContextFn>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    if (set != nullptr) {
        set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    }
}

std::filesystem::path ThisFolder() {
    std::wstring path(32768, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return std::filesystem::path(path).parent_path();
}

} // namespace

ViewerProcess::ViewerProcess(const std::filesystem::path& folder) {
    static const bool aware = (BecomeDpiAware(), true);
    (void)aware;
    const std::filesystem::path exe = folder / "Q-MvRCV98.exe";
    // A viewer already running there keeps its executable.
    std::filesystem::copy_file(ThisFolder() / "Q-MvRCV98.exe", exe,
                               std::filesystem::copy_options::update_existing);
    std::wstring command = L"\"" + exe.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &process_)) {
        throw std::runtime_error("cannot start the viewer");
    }
    ::WaitForInputIdle(process_.hProcess, EventTimeoutMs);
    // The main window, or a message box when the viewer could not get as far.
    for (DWORD waited = 0; waited < EventTimeoutMs; waited += PollMs) {
        bool box = false;
        for (HWND w : TopLevelWindows()) {
            if (ClassOf(w) == win::MainWindowClass && ::IsWindowVisible(w)) {
                main_ = w;
            }
            box = box || ClassOf(w) == L"#32770";
        }
        if (main_ != nullptr || box ||
            ::WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) {
            break;
        }
        ::Sleep(PollMs);
    }
    Settle();
}

ViewerProcess::~ViewerProcess() {
    if (::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(process_.hProcess, 1);
        ::WaitForSingleObject(process_.hProcess, EventTimeoutMs);
    }
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
}

std::vector<HWND> ViewerProcess::TopLevelWindows() const {
    std::vector<HWND> all;
    ::EnumWindows(AddWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> own;
    for (HWND w : all) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(w, &pid);
        if (pid == process_.dwProcessId) {
            own.push_back(w);
        }
    }
    return own;
}

HWND ViewerProcess::Control(const char* name) const {
    return ControlOf(main_, MainFormDesign(), name);
}

HWND ViewerProcess::DialogControl(const char* name) const {
    HWND dialog = nullptr;
    for (HWND w : TopLevelWindows()) {
        if (ClassOf(w) == win::SettingsDialogClass) {
            dialog = w;
        }
    }
    return ControlOf(dialog, SubFormDesign(), name);
}

// The viewer has handled everything sent before once it answers a message of its own, which
// it does from whatever message loop runs: the main one, or a modal window's. A handler may
// post itself a message (the first showing of a dialog), so the answer counts once it stays
// the same over a few rounds.
std::optional<Modal> ViewerProcess::Settle() {
    std::optional<HWND> last;
    int same = 0;
    for (DWORD waited = 0; waited < EventTimeoutMs; waited += PollMs) {
        if (::WaitForSingleObject(process_.hProcess, 0) != WAIT_TIMEOUT) {
            return std::nullopt;
        }
        DWORD_PTR ignored = 0;
        if (main_ != nullptr) {
            ::SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, EventTimeoutMs, &ignored);
        }
        HWND modal = nullptr;
        for (HWND w : TopLevelWindows()) {
            const std::wstring cls = ClassOf(w);
            const bool box = cls == L"#32770";
            if ((box || cls == win::SettingsDialogClass) && ::IsWindowEnabled(w) &&
                (modal == nullptr || box)) {
                modal = w;
            }
        }
        const bool starting = modal != nullptr &&
                              Describe(modal).kind == Modal::Kind::FolderChooser &&
                              !ChooserShowsItsFolder(modal);
        if (last && *last == modal && !starting) {
            if (++same >= 3) {
                return modal == nullptr ? std::nullopt : std::optional<Modal>(Describe(modal));
            }
        } else {
            last = modal;
            same = 0;
        }
        ::Sleep(PollMs);
    }
    throw std::runtime_error("the viewer did not settle");
}

std::optional<Modal> ViewerProcess::Click(HWND button) {
    ::SendNotifyMessageW(button, BM_CLICK, 0, 0);
    return Settle();
}

int ViewerProcess::Dpi() const {
    return win::WindowDpi(main_);
}

std::optional<Modal> ViewerProcess::ClickAt(int x, int y) {
    POINT p{Scaled(x, Dpi()), Scaled(y, Dpi())};
    ::ClientToScreen(main_, &p);
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& in : inputs) {
        in.type = INPUT_MOUSE;
        in.mi.dx = ::MulDiv(p.x, 65536, width) + 1;
        in.mi.dy = ::MulDiv(p.y, 65536, height) + 1;
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(3, inputs, sizeof(INPUT));
    return Settle();
}

std::optional<Modal> ViewerProcess::Close(HWND window) {
    ::SendNotifyMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return Settle();
}

std::optional<Modal> ViewerProcess::Answer(const Modal& modal, int button) {
    ::SendNotifyMessageW(::GetDlgItem(modal.window, button), BM_CLICK, 0, 0);
    // An answered box goes; what comes after it counts from then on.
    for (DWORD waited = 0; ::IsWindow(modal.window) && waited < EventTimeoutMs; waited += PollMs) {
        ::Sleep(PollMs);
    }
    return Settle();
}

void ViewerProcess::Type(HWND edit, const std::wstring& text) {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                          EventTimeoutMs, &ignored);
}

std::optional<DWORD> ViewerProcess::ExitCode(DWORD timeoutMs) {
    if (::WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

std::wstring TextOf(HWND control) {
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, EventTimeoutMs, &length);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_NORMAL, EventTimeoutMs, &copied);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

bool IsChecked(HWND button) {
    DWORD_PTR state = 0;
    ::SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_NORMAL, EventTimeoutMs, &state);
    return state == BST_CHECKED;
}

bool IsShown(HWND control) {
    return (::GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

RECT PlaceOf(HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace mv::test
