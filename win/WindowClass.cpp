#include "win/WindowClass.h"

namespace mv::win {

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background, HICON icon) {
    WNDCLASSEXW known{};
    known.cbSize = sizeof(known);
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), name, &known)) {
        return;
    }
    WNDCLASSEXW c{};
    c.cbSize = sizeof(c);
    c.lpfnWndProc = procedure;
    c.hInstance = ::GetModuleHandleW(nullptr);
    c.hIcon = icon;
    c.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    c.hbrBackground = background;
    c.lpszClassName = name;
    ::RegisterClassExW(&c);
}

} // namespace mv::win
