#pragma once

// The window classes of the viewer's own windows, and their window procedures: the window's
// object sits in the window's user data, and nothing thrown leaves the procedure.

#include "platform/Dispatch.h"

#include <windows.h>

namespace mv::win {

// Registers the class once; later calls do nothing. An arrow cursor; background may be null
// for a window that paints all of itself.
void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background,
                         HICON icon = nullptr);

// The procedure of a class whose windows belong to a Window object (set as the window's user
// data once it is made): its Handle runs each message, through the dispatcher of its ui(), so
// that a failure of the view's own work is shown like a handler's. Messages that come before
// the object is set, during the window's creation, get the default handling.
template <typename Window>
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return ::DefWindowProcW(window, message, w, l);
    }
    LRESULT result = 0;
    if (!Dispatch(self->ui(), [&] { result = self->Handle(message, w, l); })) {
        return 0;
    }
    return result;
}

} // namespace mv::win
