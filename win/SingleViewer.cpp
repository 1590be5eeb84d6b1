#include "win/SingleViewer.h"

#include "platform/InstanceLock.h"
#include "win/MainWindow.h"

#include <windows.h>

namespace mv::win {
namespace {

// How long the running viewer's window may take to answer; a hung one does not answer at all.
constexpr UINT AnswerWaitMs = 1000;

struct Search {
    std::filesystem::path::string_type folder; // as NormalFolder gives it
    HWND found = nullptr;
};

std::filesystem::path ImageOf(DWORD processId) {
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return {};
    }
    std::wstring image(32768, L'\0');
    DWORD size = static_cast<DWORD>(image.size());
    const bool ok = ::QueryFullProcessImageNameW(process, 0, image.data(), &size) != 0;
    ::CloseHandle(process);
    image.resize(ok ? size : 0);
    return image;
}

BOOL CALLBACK Visit(HWND window, LPARAM l) {
    auto& search = *reinterpret_cast<Search*>(l);
    wchar_t className[64] = {};
    ::GetClassNameW(window, className, static_cast<int>(std::size(className)));
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (std::wstring_view(className) != MainWindowClass || processId == ::GetCurrentProcessId()) {
        return TRUE;
    }
    const std::filesystem::path image = ImageOf(processId);
    if (!image.empty() && NormalFolder(image.parent_path()) == search.folder) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool BringRunningViewerForward(const std::filesystem::path& programFolder) {
    Search search{NormalFolder(programFolder)};
    ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    // A window that is being destroyed, or whose viewer hangs, does not answer.
    DWORD_PTR ignored = 0;
    if (search.found == nullptr ||
        ::SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                              AnswerWaitMs, &ignored) == 0) {
        return false;
    }
    if (::IsIconic(search.found)) {
        ::ShowWindow(search.found, SW_RESTORE);
    }
    // The system may refuse the foreground to a start that is not the user's latest action; the
    // viewer still came forward, restored and flashing in the task bar.
    ::SetForegroundWindow(search.found);
    return true;
}

} // namespace mv::win
