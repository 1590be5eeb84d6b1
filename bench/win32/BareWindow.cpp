// bare-win32-window [--labels]: the floor of the Windows view's start-up, an empty window made
// the same way as the viewer's main window (a registered class, an 800 x 600 overlapped window
// centred on the work area, shown and painted, then the message loop) and nothing else. With
// --labels it also shows one label in each of the two Japanese faces the window's design names,
// chosen and made as the viewer makes them, so that it loads both fonts as the viewer must.

#include "win/Fonts.h"

#include <cwchar>
#include <memory>
#include <windows.h>

namespace {

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, w, l);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show) {
    WNDCLASSEXW c{};
    c.cbSize = sizeof(c);
    c.lpfnWndProc = Proc;
    c.hInstance = instance;
    c.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = L"BareWindow";
    ::RegisterClassExW(&c);
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const HWND window = ::CreateWindowExW(0, L"BareWindow", L"Bare window", WS_OVERLAPPEDWINDOW,
                                          area.left + (area.right - area.left - 800) / 2,
                                          area.top + (area.bottom - area.top - 600) / 2, 800, 600,
                                          nullptr, nullptr, instance, nullptr);
    std::unique_ptr<mv::win::Fonts> fonts; // only with labels: the lookup of the faces costs
    if (std::wcsstr(arguments, L"--labels") != nullptr) {
        fonts = std::make_unique<mv::win::Fonts>();
        const mv::FontSpec faces[] = {{mv::Face::Proportional, 13}, {mv::Face::Fixed, 16}};
        int top = 8;
        for (const mv::FontSpec& face : faces) {
            const HWND label =
                ::CreateWindowExW(0, L"STATIC", L"単勝並び替え 1R", WS_CHILD | WS_VISIBLE, 8, top,
                                  300, 24, window, nullptr, instance, nullptr);
            ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(fonts->Get(face, 96)),
                           FALSE);
            top += 32;
        }
    }
    ::ShowWindow(window, show);
    ::UpdateWindow(window);
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
