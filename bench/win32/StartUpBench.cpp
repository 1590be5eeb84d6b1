// win32-startup-bench VIEWER BARE REPETITIONS [CLICKS]
//
// Start-up until first paint of the Windows viewer beside a bare Win32 window and the same
// window showing a label in each of the viewer's two Japanese faces, measured the same way and
// interleaved in random order: from the process's creation until it first waits for input with
// nothing left to handle (its window is then shown and painted, since a window paints before
// its message loop goes idle). Each program starts in its own folder, the viewer in one holding
// its settings file and the sample folder.
//
// Once shown, the viewer's first venue ("東京") is chosen, which shows its race 1; then the
// window is clicked CLICKS times (default 10) on its race buttons " 2R" and " 1R" in turn, each
// click until the windows it invalidated have repainted, and after each click the same window
// is repainted whole without a click (every control invalidated and painted with the texts it
// shows): the click's floor. A click is sent as BM_CLICK, handled within SendMessage; the
// repaint is RedrawWindow with RDW_UPDATENOW, which returns once every invalid window of the
// tree has painted. The bare window's click is a message and a repaint of the whole window.
// Prints one JSON object: {"viewer_ms": [...], "bare_ms": [...], "labels_ms": [...],
// "viewer_click_ms": [...], "viewer_repaint_ms": [...], "first_click_ms": [...],
// "bare_click_ms": [...]}.
//
// win32-startup-bench browse PROGRAM [ARGUMENT]: starts the program, and when it is the viewer
// (its window shows the venue "東京") chooses every venue shown and every race of it shown, each
// click until repainted; then prints "ready" with the program's process id and leaves it
// running for 10 s, so that its peak memory can be read from outside.

#include <algorithm>
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

// Every window of the tree invalidated and painted again: what a click costs without its race
// load and without telling which control changed.
void RepaintWhole(HWND top) {
    ::RedrawWindow(top, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

struct Clicked {
    std::vector<double> clicks;
    std::vector<double> repaints; // the viewer's whole repaint after each click
    double first = -1;            // the venue click that shows the first race
};

// Clicks on a shown program; no clicks when the viewer's buttons are not there.
Clicked Clicks(HWND top, bool isViewer, int count) {
    Clicked out;
    if (isViewer) {
        const HWND venue = Descendant(top, L"東京");
        if (venue == nullptr) {
            return out;
        }
        const auto start = std::chrono::steady_clock::now();
        ::SendMessageW(venue, BM_CLICK, 0, 0);
        ::RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        out.first = Milliseconds(start);
    }
    const HWND races[2] = {Descendant(top, L" 2R"), Descendant(top, L" 1R")};
    if (isViewer && (races[0] == nullptr || races[1] == nullptr || !::IsWindowVisible(races[0]) ||
                     !::IsWindowVisible(races[1]))) {
        return out;
    }
    for (int i = 0; i < count; ++i) {
        auto start = std::chrono::steady_clock::now();
        if (isViewer) {
            ::SendMessageW(races[i % 2], BM_CLICK, 0, 0);
        } else {
            ::SendMessageW(top, WM_NULL, 0, 0);
            ::InvalidateRect(top, nullptr, TRUE);
        }
        ::RedrawWindow(top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        out.clicks.push_back(Milliseconds(start));
        if (isViewer) {
            start = std::chrono::steady_clock::now();
            ::SendMessageW(top, WM_NULL, 0, 0);
            RepaintWhole(top);
            out.repaints.push_back(Milliseconds(start));
        }
    }
    return out;
}

struct Run {
    double startUpMs = -1; // negative when the program did not start
    Clicked clicked;
};

// The program started, shown, idle and clicked.
// A program started in its own folder and shown: its process and its first shown window
// (nullptr when it ended or never showed one). Ended and closed when it goes.
class Started {
public:
    Started(const std::wstring& exe, const std::wstring& arguments) {
        const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
        std::wstring command = L"\"" + exe + L"\"" + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              folder.c_str(), &startup, &process_)) {
            return;
        }
        ::WaitForInputIdle(process_.hProcess, 60000);
        Found found{process_.dwProcessId, nullptr};
        while (found.shown == nullptr &&
               ::WaitForSingleObject(process_.hProcess, 1) == WAIT_TIMEOUT) {
            ::EnumWindows(FindShown, reinterpret_cast<LPARAM>(&found));
        }
        shown_ = found.shown;
    }
    ~Started() {
        if (process_.hProcess != nullptr) {
            ::TerminateProcess(process_.hProcess, 0);
            ::WaitForSingleObject(process_.hProcess, 60000);
            ::CloseHandle(process_.hThread);
            ::CloseHandle(process_.hProcess);
        }
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    HWND shown() const { return shown_; }
    DWORD id() const { return process_.dwProcessId; }

private:
    PROCESS_INFORMATION process_{};
    HWND shown_ = nullptr;
};

// The program started, shown, idle and clicked.
Run StartUp(const std::wstring& exe, const std::wstring& arguments, bool isViewer, int clicks) {
    const auto start = std::chrono::steady_clock::now();
    const Started program(exe, arguments);
    Run run;
    if (program.shown() != nullptr) {
        run.startUpMs = Milliseconds(start);
        run.clicked = Clicks(program.shown(), isViewer, clicks);
    }
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

BOOL CALLBACK AddShownButton(HWND window, LPARAM param) {
    wchar_t name[16]{};
    ::GetClassNameW(window, name, 16);
    if (::IsWindowVisible(window) && ::_wcsicmp(name, L"Button") == 0) {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    }
    return TRUE;
}

std::wstring TextOf(HWND window) {
    wchar_t text[32]{};
    ::GetWindowTextW(window, text, 32);
    return text;
}

int Browse(const std::wstring& exe, const std::wstring& arguments) {
    const Started program(exe, arguments);
    const Found found{program.id(), program.shown()};
    const auto click = [&](HWND button) {
        ::SendMessageW(button, BM_CLICK, 0, 0);
        ::RedrawWindow(found.shown, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    int races = 0;
    if (found.shown != nullptr && Descendant(found.shown, L"東京") != nullptr) {
        // The venue buttons are the shown buttons before " 1R" whose caption ends in no "R".
        std::vector<HWND> buttons;
        ::EnumChildWindows(found.shown, AddShownButton, reinterpret_cast<LPARAM>(&buttons));
        std::vector<HWND> venues;
        for (HWND b : buttons) {
            const std::wstring t = TextOf(b);
            if (t == L"東京" || t == L"京都" || t == L"中山前日") {
                venues.push_back(b);
            }
        }
        for (HWND venue : venues) {
            click(venue);
            std::vector<HWND> shown;
            ::EnumChildWindows(found.shown, AddShownButton, reinterpret_cast<LPARAM>(&shown));
            for (HWND b : shown) {
                const std::wstring t = TextOf(b);
                if (t.size() == 3 && t.back() == L'R') {
                    click(b);
                    ++races;
                }
            }
        }
    }
    std::printf("ready %lu %d\n", static_cast<unsigned long>(program.id()), races);
    std::fflush(stdout);
    ::Sleep(10000);
    return program.shown() != nullptr ? 0 : 1;
}

int wmain(int argc, wchar_t** argv) {
    if (argc >= 3 && std::wstring(argv[1]) == L"browse") {
        return Browse(argv[2], argc > 3 ? L" " + std::wstring(argv[3]) : L"");
    }
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: win32-startup-bench VIEWER BARE REPETITIONS [CLICKS]\n");
        return 2;
    }
    const int repetitions = std::stoi(argv[3]);
    const int clicks = argc == 5 ? std::stoi(argv[4]) : 10;
    enum Program { Viewer, Bare, Labels };
    struct Start {
        const wchar_t* exe;
        const wchar_t* arguments;
    };
    const Start programs[] = {{argv[1], L""}, {argv[2], L""}, {argv[2], L" --labels"}};
    std::vector<double> startUp[3];
    std::vector<double> viewerClicks;
    std::vector<double> viewerRepaints;
    std::vector<double> firstClicks;
    std::vector<double> bareClicks;
    std::mt19937 random(2026);
    // One start of each first, so that none pays for loading the system's DLLs.
    for (const Start& p : programs) {
        StartUp(p.exe, p.arguments, &p == &programs[Viewer], 0);
    }
    for (int i = 0; i < repetitions; ++i) {
        int order[3] = {Viewer, Bare, Labels};
        std::shuffle(std::begin(order), std::end(order), random);
        for (const int k : order) {
            const bool isViewer = k == Viewer;
            const Run run = StartUp(programs[k].exe, programs[k].arguments, isViewer, clicks);
            if (run.startUpMs < 0 || static_cast<int>(run.clicked.clicks.size()) != clicks) {
                std::fprintf(stderr, "win32-startup-bench: a program did not start or could "
                                     "not be clicked\n");
                return 1;
            }
            startUp[k].push_back(run.startUpMs);
            const auto add = [](std::vector<double>& to, const std::vector<double>& from) {
                to.insert(to.end(), from.begin(), from.end());
            };
            if (isViewer) {
                add(viewerClicks, run.clicked.clicks);
                add(viewerRepaints, run.clicked.repaints);
                firstClicks.push_back(run.clicked.first);
            } else if (k == Bare) {
                add(bareClicks, run.clicked.clicks);
            }
        }
    }
    std::printf("{");
    Print("viewer_ms", startUp[Viewer], false);
    Print("bare_ms", startUp[Bare], false);
    Print("labels_ms", startUp[Labels], false);
    Print("viewer_click_ms", viewerClicks, false);
    Print("viewer_repaint_ms", viewerRepaints, false);
    Print("first_click_ms", firstClicks, false);
    Print("bare_click_ms", bareClicks, true);
    std::printf("}\n");
    return 0;
}
