// win32-startup-bench VIEWER BARE REPETITIONS
//
// Start-up until first paint of the Windows viewer beside a bare Win32 window, measured the
// same way and interleaved in random order: from the process's creation until it first waits
// for input with nothing left to handle (its window is then shown and painted, since a window
// paints before its message loop goes idle). Each program starts in its own folder, the viewer
// in one holding its settings file and the sample folder. Prints one JSON object:
// {"viewer_ms": [...], "bare_ms": [...]}.

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>
#include <windows.h>

namespace {

struct Found {
    DWORD pid;
    bool shown;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param) {
    auto& found = *reinterpret_cast<Found*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid == found.pid && ::IsWindowVisible(window)) {
        found.shown = true;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds until the program is up and idle, or a negative value when it failed.
double StartUp(const std::wstring& exe) {
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const auto start = std::chrono::steady_clock::now();
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &process)) {
        return -1;
    }
    ::WaitForInputIdle(process.hProcess, 60000);
    Found found{process.dwProcessId, false};
    while (!found.shown && ::WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
        ::EnumWindows(FindShown, reinterpret_cast<LPARAM>(&found));
    }
    const auto shown = std::chrono::steady_clock::now();
    ::TerminateProcess(process.hProcess, 0);
    ::WaitForSingleObject(process.hProcess, 60000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return found.shown ? std::chrono::duration<double, std::milli>(shown - start).count() : -1;
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
    if (argc != 4) {
        std::fprintf(stderr, "usage: win32-startup-bench VIEWER BARE REPETITIONS\n");
        return 2;
    }
    const int repetitions = std::stoi(argv[3]);
    std::vector<double> viewer;
    std::vector<double> bare;
    std::mt19937 random(2026);
    // One start of each first, so that neither pays for loading the system's DLLs.
    StartUp(argv[1]);
    StartUp(argv[2]);
    for (int i = 0; i < repetitions; ++i) {
        const bool viewerFirst = random() % 2 == 0;
        for (int k = 0; k < 2; ++k) {
            const bool isViewer = (k == 0) == viewerFirst;
            const double ms = StartUp(isViewer ? argv[1] : argv[2]);
            if (ms < 0) {
                std::fprintf(stderr, "win32-startup-bench: a program did not start\n");
                return 1;
            }
            (isViewer ? viewer : bare).push_back(ms);
        }
    }
    std::printf("{");
    Print("viewer_ms", viewer, false);
    Print("bare_ms", bare, true);
    std::printf("}\n");
    return 0;
}
