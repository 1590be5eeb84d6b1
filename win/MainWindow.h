#pragma once

// The main window in Win32. It only shows TMainForm's model and forwards the user's events to
// the form: every event runs through the dispatcher (which shows a failure), then the model is
// shown again, and a requested end destroys the window once the event is done. Its controls
// are those of the core's design.

#include "app/MainForm.h"
#include "app/MainFormBindings.h"
#include "win/DesignedWindow.h"
#include "win/WinUiServices.h"

#include <array>
#include <functional>
#include <string>
#include <vector>
#include <windows.h>

namespace mv::win {

inline constexpr wchar_t MainWindowClass[] = L"TMainForm";

class MainWindow {
public:
    // Creates the window as designed, centred on the desktop, and runs the creation handler;
    // a failure in it is shown and the window is built all the same. Not yet shown.
    MainWindow(WinUiServices& ui, TMainForm& form, Fonts& fonts);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    void Show(int how);

    // Follow mode's notice handle for the message loop to wait on (nullptr: none), and what
    // the loop calls when it is signalled.
    HANDLE FollowHandle() const;
    // A key pressed anywhere in the window that the window takes for itself, run as the click
    // it stands for; false when the key is not the window's.
    bool TakeKey(const MSG& msg);
    // Tab, Shift+Tab and the arrow keys on a radio button; false where the key is not the
    // window's.
    bool MoveFocus(WPARAM key);
    FocusedControl Focused() const;
    void FollowNoticed();

    // For the window procedure.
    WinUiServices& ui() { return ui_; }
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);

private:
    template <typename Field>
    struct Bound {
        std::size_t control;
        Field field;
    };

    void Bind();
    void Render();
    void Run(const std::function<void()>& handler);
    // Follow mode's events: a notice or its timer. The user's scroll positions stay.
    void Follow(const std::function<void()>& step);
    // The timer armed as follow mode now wants it.
    void SyncFollow();
    void ShowContextMenu(LPARAM at);
    void Clicked(std::size_t control);
    void SetText(std::size_t control, std::wstring text);
    void SetMemo(std::size_t control, std::wstring text);
    void SetVisible(HWND control, bool visible);

    WinUiServices& ui_;
    TMainForm& form_;
    DesignedWindow controls_;
    HWND hwnd_ = nullptr;
    std::vector<std::wstring> shown_; // each control's text as last set
    std::wstring caption_;
    std::vector<Bound<MainFormText>> texts_;
    std::vector<Bound<MainFormLines>> memos_;
    std::vector<Bound<MainFormVisibility>> visibilities_;
    std::vector<Bound<MainFormHandler>> handlers_;
    std::array<std::size_t, RadioCount> radios_{};
    std::size_t grid_ = 0;
    int running_ = 0; // handlers under way (a modal dialog runs inside one)
    bool activated_ = false;
};

} // namespace mv::win
