// win32-startup-bench VIEWER BARE REPETITIONS [CLICKS]
//
// Start-up until first paint of the Windows viewer beside a bare Win32 window, measured the
// same way and interleaved in random order: from the process's creation until it first waits
// for input with nothing left to handle (its window is then shown and painted, since a window
// paints before its message loop goes idle). Each program starts in its own folder, the viewer
// in one holding its settings file and the sample folder.
//
// Once shown, each start is also clicked CLICKS times (default 10): the viewer on its race
// buttons " 1R" and " 2R" in turn, the bare window on itself, each click until the windows it
// invalidated have repainted. A click is sent as BM_CLICK, handled within SendMessage; the
// repaint is RedrawWindow with RDW_UPDATENOW, which returns once every invalid window of the
// tree has painted. The bare window's click is a message and a repaint of the whole window.
// Prints one JSON object: {"viewer_ms": [...], "bare_ms": [...], "viewer_click_ms": [...],
// "bare_click_ms": [...]}.

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <random>
#include <string>
#include <vector>
#include <windows.h>

namespace {

struct Found {
    DWORD pid;
    HWND shown;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param) {
    auto& found = *reinterpret_cast<Found*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid == found.pid && ::IsWindowVisible(window)) {
        found.shown = window;
        return FALSE;
    }
    return TRUE;
}

struct Named {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK FindNamed(HWND window, LPARAM param) {
    auto& named = *reinterpret_cast<Named*>(param);
    wchar_t text[16]{};
    if (::GetWindowTextW(window, text, 16) > 0 && std::wcscmp(text, named.text) == 0) {
        named.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND Descendant(HWND top, const wchar_t* text) {
    Named named{text, nullptr};
    ::EnumChildWindows(top, FindNamed, reinterpret_cast<LPARAM>(&named));
    return named.found;
}

double Milliseconds(std::chrono::steady_clock::time_point from) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - from)
        .count();
}

// Clicks on a shown program; empty when the viewer's race buttons are not there.
std::vector<double> Clicks(HWND top, bool isViewer, int count) {
    const HWND races[2] = {Descendant(top, L" 1R"), Descendant(top, L" 2R")};
    std::vector<double> ms;
    if (isViewer && (races[0] == nullptr || races[1] == nullptr)) {
        return ms;
    }
    for (int i = 0; i < count; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (isViewer) {
            // Race 2 first: race 1 is the race shown at start.
            ::SendMessageW(races[(i + 1) % 2], BM_CLICK, 0, 0);
        } else {
            ::SendMessageW(top, WM_NULL, 0, 0);
            ::InvalidateRect(top, nullptr, TRUE);
        }
        ::RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        ms.push_back(Milliseconds(start));
    }
    return ms;
}

struct Run {
    double startUpMs = -1; // negative when the program did not start
    std::vector<double> clicksMs;
};

// The program started, shown, idle and clicked.
Run StartUp(const std::wstring& exe, bool isViewer, int clicks) {
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const auto start = std::chrono::steady_clock::now();
    Run run;
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &process)) {
        return run;
    }
    ::WaitForInputIdle(process.hProcess, 60000);
    Found found{process.dwProcessId, nullptr};
    while (found.shown == nullptr && ::WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
        ::EnumWindows(FindShown, reinterpret_cast<LPARAM>(&found));
    }
    if (found.shown != nullptr) {
        run.startUpMs = Milliseconds(start);
        run.clicksMs = Clicks(found.shown, isViewer, clicks);
    }
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, 60000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return run;
}

void Print(const char* name, const std::vector<double>& values, bool last) {
    std::printf("\"%s\": [", name);
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::printf("%s%.3f", i == 0 ? "" : ", ", values[i]);
    }
    std::printf("]%s", last ? "" : ", ");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: win32-startup-bench VIEWER BARE REPETITIONS [CLICKS]\n");
        return 2;
    }
    const int repetitions = std::stoi(argv[3]);
    const int clicks = argc == 5 ? std::stoi(argv[4]) : 10;
    std::vector<double> viewer;
    std::vector<double> bare;
    std::vector<double> viewerClicks;
    std::vector<double> bareClicks;
    std::mt19937 random(2026);
    // One start of each first, so that neither pays for loading the system's DLLs.
    StartUp(argv[1], true, 0);
    StartUp(argv[2], false, 0);
    for (int i = 0; i < repetitions; ++i) {
        const bool viewerFirst = random() % 2 == 0;
        for (int k = 0; k < 2; ++k) {
            const bool isViewer = (k == 0) == viewerFirst;
            const Run run = StartUp(isViewer ? argv[1] : argv[2], isViewer, clicks);
            if (run.startUpMs < 0 || static_cast<int>(run.clicksMs.size()) != clicks) {
                std::fprintf(stderr, "win32-startup-bench: a program did not start or could "
                                     "not be clicked\n");
                return 1;
            }
            (isViewer ? viewer : bare).push_back(run.startUpMs);
            auto& to = isViewer ? viewerClicks : bareClicks;
            to.insert(to.end(), run.clicksMs.begin(), run.clicksMs.end());
        }
    }
    std::printf("{");
    Print("viewer_ms", viewer, false);
    Print("bare_ms", bare, false);
    Print("viewer_click_ms", viewerClicks, false);
    Print("bare_click_ms", bareClicks, true);
    std::printf("}\n");
    return 0;
}
