#include "win/WinUiServices.h"

#include "platform/AppTitle.h"
#include "platform/Codec.h"
#include "platform/FileQuery.h"
#include "win/FolderChooser.h"
#include "win/WinText.h"

#include <commdlg.h>
#include <cstring>
#include <cwchar>

namespace mv::win {
namespace {

std::wstring Title() {
    return Wide(ApplicationTitle(ShownPath(ExecutableOsPath().filename())));
}

// A message box is centred on the screen (the work area of the owner's monitor), not left
// where the system would put it.
HHOOK centringHook = nullptr;

LRESULT CALLBACK CentreBox(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_ACTIVATE) {
        const HWND box = reinterpret_cast<HWND>(w);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        RECT r;
        if (::GetMonitorInfoW(::MonitorFromWindow(box, MONITOR_DEFAULTTOPRIMARY), &monitor) &&
            ::GetWindowRect(box, &r)) {
            const RECT& area = monitor.rcWork;
            const int x = area.left + (area.right - area.left - (r.right - r.left)) / 2;
            const int y = area.top + (area.bottom - area.top - (r.bottom - r.top)) / 2;
            ::SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ::UnhookWindowsHookEx(centringHook);
        centringHook = nullptr;
        return 0;
    }
    return ::CallNextHookEx(nullptr, code, w, l);
}

} // namespace

int WinUiServices::Box(const std::string& text, UINT type) {
    if (centringHook == nullptr) {
        centringHook = ::SetWindowsHookExW(WH_CBT, CentreBox, nullptr, ::GetCurrentThreadId());
    }
    const std::wstring title = Title();
    const std::wstring body = Wide(text);
    const int answer = ::MessageBoxW(owner_, body.c_str(), title.c_str(), type | MB_SETFOREGROUND);
    if (centringHook != nullptr) {
        ::UnhookWindowsHookEx(centringHook);
        centringHook = nullptr;
    }
    return answer;
}

std::optional<std::filesystem::path> WinUiServices::AskSavePath(const SaveRequest& request) {
    const std::wstring folder = request.proposed.parent_path().wstring();
    const std::wstring title = Wide(request.title);
    const std::wstring extension = Wide(request.extension);
    std::wstring upper = extension;
    ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    // "CSV (*.csv)", then the pattern, each ended by a NUL, and a NUL after the last.
    const std::wstring filter =
        upper + L" (*." + extension + L")" + L'\0' + L"*." + extension + L'\0';
    std::wstring file = request.proposed.filename().wstring();
    file.resize(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.c_str();
    // The shell's own dialog (no hook, no template); it asks before a file is replaced.
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!::GetSaveFileNameW(&dialog)) {
        return std::nullopt;
    }
    file.resize(std::wcslen(file.c_str()));
    return std::filesystem::path(file);
}

void WinUiServices::ShowMessage(const std::string& text) {
    Box(text, MB_OK);
}

void WinUiServices::SetClipboardText(const std::string& text) {
    const std::wstring wide = Wide(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) {
        return;
    }
    if (void* target = ::GlobalLock(memory)) {
        std::memcpy(target, wide.c_str(), bytes);
        ::GlobalUnlock(memory);
        if (::OpenClipboard(owner_)) {
            ::EmptyClipboard();
            if (::SetClipboardData(CF_UNICODETEXT, memory) != nullptr) {
                memory = nullptr; // the clipboard owns it now
            }
            ::CloseClipboard();
        }
    }
    if (memory != nullptr) {
        ::GlobalFree(memory);
    }
}

void WinUiServices::ShowError(const std::string& text) {
    Box(text, MB_OK | MB_ICONERROR);
}

bool WinUiServices::AskYesNo(const std::string& question) {
    return Box(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::optional<std::string> WinUiServices::SelectFolder(const std::string& initialFolder) {
    return ChooseFolder(*this, initialFolder);
}

} // namespace mv::win
