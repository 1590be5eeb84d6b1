// win32-follow-bench VIEWER_FOLDER FETCHES
// win32-follow-bench VIEWER_FOLDER idle on|off
//
// Follow mode in the Windows viewer, measured from outside as a user meets it. VIEWER_FOLDER
// holds Q-MvRCV98.exe, its settings file and the sample folder "sample-pat" that
// make-sample-folder wrote there.
//
// Latency: the viewer started with follow mode on and the first venue chosen (race 1 shown);
// FETCHES times the odds files of race 1 are rewritten in place with the market moved a step,
// the clock running from the writer's close of the last file until the quinella panel shows
// the new odds and the window has repainted (RedrawWindow with RDW_UPDATENOW returns once
// every invalid window has painted). Prints one JSON object: {"follow_ms": [...]}.
//
// Idle: the viewer started with follow mode on or off and the first venue chosen, then left
// alone for 70 s with nothing written; its CPU time is read from outside (Wine's processes
// report none of another process's).

#include "app/Follow.h"
#include "platform/Codec.h"
#include "platform/FileQuery.h"
#include "settings/SettingsFile.h"
#include "tools/SampleFetch.h"
#include "win/WinText.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>
#include <windows.h>

namespace {

struct Viewer {
    PROCESS_INFORMATION process{};
    HWND top = nullptr;
};

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindTop(HWND window, LPARAM param) {
    auto& s = *reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid == s.pid && ::IsWindowVisible(window)) {
        s.found = window;
        return FALSE;
    }
    return TRUE;
}

struct Named {
    std::wstring text;
    HWND found;
};

BOOL CALLBACK FindNamed(HWND window, LPARAM param) {
    auto& n = *reinterpret_cast<Named*>(param);
    wchar_t text[32]{};
    if (::GetWindowTextW(window, text, 32) > 0 && n.text == text) {
        n.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND Child(HWND top, const std::wstring& text) {
    Named n{text, nullptr};
    ::EnumChildWindows(top, FindNamed, reinterpret_cast<LPARAM>(&n));
    return n.found;
}

// The quinella panel: the third multi-line edit in the design's order.
HWND QuinellaMemo(HWND top) {
    std::vector<HWND> memos;
    ::EnumChildWindows(
        top,
        [](HWND w, LPARAM p) -> BOOL {
            wchar_t cls[16]{};
            ::GetClassNameW(w, cls, 16);
            if (std::wstring(cls) == L"Edit" &&
                (::GetWindowLongPtrW(w, GWL_STYLE) & ES_MULTILINE)) {
                reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&memos));
    return memos.size() >= 2 ? memos[1] : nullptr;
}

std::wstring TextOf(HWND w) {
    const auto length = ::SendMessageW(w, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

Viewer Start(const std::filesystem::path& folder) {
    Viewer v;
    const std::wstring exe = (folder / L"Q-MvRCV98.exe").wstring();
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.wstring().c_str(), &startup, &v.process)) {
        return v;
    }
    ::WaitForInputIdle(v.process.hProcess, 60000);
    Search s{v.process.dwProcessId, nullptr};
    for (int i = 0; i < 6000 && s.found == nullptr; ++i) {
        ::EnumWindows(FindTop, reinterpret_cast<LPARAM>(&s));
        ::Sleep(5);
    }
    v.top = s.found;
    return v;
}

void Stop(Viewer& v) {
    ::TerminateProcess(v.process.hProcess, 0);
    ::WaitForSingleObject(v.process.hProcess, 60000);
    ::CloseHandle(v.process.hThread);
    ::CloseHandle(v.process.hProcess);
}

// The first venue chosen: its button is the first one captioned with the venue's name.
bool ChooseFirstVenue(const Viewer& v) {
    const HWND venue = Child(v.top, mv::win::Wide(mv::Sjis("東京")));
    if (venue == nullptr) {
        return false;
    }
    ::SendMessageW(venue, BM_CLICK, 0, 0);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: win32-follow-bench VIEWER_FOLDER FETCHES|idle [on|off]\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const std::filesystem::path ini = folder / L"Q-MvRV98.ini";
    if (std::wstring(argv[2]) == L"idle") {
        if (argc != 4) {
            return 2;
        }
        mv::SaveAutoUpdate(ini, std::wstring(argv[3]) == L"on");
        Viewer v = Start(folder);
        if (v.top == nullptr || !ChooseFirstVenue(v)) {
            return 1;
        }
        ::Sleep(70000);
        Stop(v);
        return 0;
    }
    const int fetches = std::stoi(argv[2]);
    const auto pat = mv::FromOsPath(folder / L"sample-pat");
    if (!pat) {
        return 2;
    }
    const std::string patFolder = mv::AddTrailingBackslash(*pat);
    const auto meeting = mv::sample::SampleMeetings().front();

    mv::SaveAutoUpdate(ini, true);
    Viewer v = Start(folder);
    if (v.top == nullptr || !ChooseFirstVenue(v)) {
        std::fprintf(stderr, "win32-follow-bench: the viewer did not start\n");
        return 1;
    }
    ::Sleep(500);
    const HWND memo = QuinellaMemo(v.top);
    std::vector<double> follow;
    for (int step = 1; step <= fetches && memo != nullptr; ++step) {
        const std::wstring before = TextOf(memo);
        mv::sample::WriteFetch(patFolder, meeting, 1, step, mv::sample::WriteWay::InPlace,
                               std::chrono::milliseconds(0));
        const auto start = std::chrono::steady_clock::now();
        // Nothing can change before the quiet wait is over; asking the viewer for its text
        // meanwhile would only keep it busy.
        ::Sleep(mv::Follow::QuietMs - 10);
        while (TextOf(memo) == before &&
               std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
            ::Sleep(1);
        }
        ::RedrawWindow(v.top, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        follow.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        ::Sleep(300);
    }
    Stop(v);
    std::printf("{\"follow_ms\": [");
    for (std::size_t i = 0; i < follow.size(); ++i) {
        std::printf("%s%.3f", i == 0 ? "" : ", ", follow[i]);
    }
    std::printf("]}\n");
    return 0;
}
