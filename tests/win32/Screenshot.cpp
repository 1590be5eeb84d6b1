// win32-screenshot OUT.bmp [WIDGET | fetch | F1 | Tab | Down]...
//
// The Windows viewer on a fresh sample folder, each named widget of the main window clicked at
// its designed place (scaled to the window's resolution); "fetch" starts the viewer in follow
// mode and writes the next fetch of the first meeting's race 3 at that point; "F1" presses that
// key, "Tab" and "Down" those keys at the focused control. Then the window as the screen shows it
// (or the window the last click or key opened), frame included, saved as a 24-bit bitmap. Run
// inside Wine's own desktop, which draws the windows' frames.

#include "platform/FileQuery.h"
#include "settings/SettingsFile.h"
#include "support/ClickScript.h"
#include "support/TempFolder.h"
#include "tools/SampleFetch.h"
#include "tools/SampleFolder.h"
#include "win32/ViewerProcess.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

bool SaveWindow(HWND window, const std::filesystem::path& file) {
    RECT r;
    ::GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    const DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
    const DWORD size = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER head{
        0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0,
        0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&head), sizeof(head));
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    out.write(static_cast<const char*>(bits), size);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return static_cast<bool>(out);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: win32-screenshot OUT.bmp [WIDGET]...\n");
        return 2;
    }
    try {
        const std::filesystem::path out = std::filesystem::absolute(argv[1]);
        mv::test::TempFolder temp;
        std::filesystem::create_directories(temp.osPath() / "PAT");
        std::filesystem::create_directories(temp.osPath() / "program");
        const std::string pat = temp.path() + "PAT\\";
        const std::string ini = temp.path() + "program\\Q-MvRV98.ini";
        mv::sample::WriteSampleFolder(pat);
        mv::SaveSettings(ini, pat, mv::LoadSettings(ini));
        const bool follow = std::any_of(
            argv + 2, argv + argc, [](const wchar_t* a) { return std::wstring(a) == L"fetch"; });
        mv::SaveAutoUpdate(ini, follow);

        mv::test::ViewerProcess viewer(temp.osPath() / "program");
        std::optional<mv::test::Modal> modal;
        for (int i = 2; i < argc; ++i) {
            const std::string name = std::filesystem::path(argv[i]).string();
            if (name == "fetch") {
                mv::sample::WriteFetch(pat, mv::sample::SampleMeetings()[0], 3, 1,
                                       mv::sample::WriteWay::ThroughRename,
                                       std::chrono::milliseconds(0));
                ::Sleep(1500);
                continue;
            }
            if (name == "F1") {
                ::PostMessageW(viewer.main(), WM_KEYDOWN, VK_F1, 1);
                modal = viewer.Settle();
                continue;
            }
            if (name == "Tab" || name == "Down") {
                // To the focused control, as the keyboard sends it.
                GUITHREADINFO info{};
                info.cbSize = sizeof info;
                ::GetGUIThreadInfo(::GetWindowThreadProcessId(viewer.main(), nullptr), &info);
                const HWND focus = info.hwndFocus != nullptr ? info.hwndFocus : viewer.main();
                ::PostMessageW(focus, WM_KEYDOWN, name == "Tab" ? VK_TAB : VK_DOWN, 1);
                modal = viewer.Settle();
                continue;
            }
            const mv::test::Point p = mv::test::ClickPoint(name);
            modal = viewer.ClickAt(p.x, p.y);
        }
        ::Sleep(500);
        // A window the last click or key opened (the settings dialog, a message) is the picture.
        if (!SaveWindow(modal ? modal->window : viewer.main(), out)) {
            std::fprintf(stderr, "win32-screenshot: cannot write the picture\n");
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "win32-screenshot: %s\n", e.what());
        return 1;
    }
    return 0;
}
