// bare-win32-window: the floor of the Windows view's start-up, an empty window made the same
// way as the viewer's main window (a registered class, an 800 x 600 overlapped window centred
// on the work area, shown and painted, then the message loop) and nothing else.

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

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
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
    ::ShowWindow(window, show);
    ::UpdateWindow(window);
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
