#pragma once

// The real viewer executable, started in a program folder of the test's and driven from this
// process with window messages as a user's clicks and keys arrive: button clicks, typed texts,
// the close box. What it shows is read back with the messages any program may send to another
// one's controls.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace mv::test {

// A modal window of the viewer: a message box, the folder chooser or the settings dialog.
struct Modal {
    enum class Kind { MessageBox, FolderChooser, SettingsDialog } kind;
    HWND window;
    std::wstring title;
    std::wstring text;        // a message box's message
    bool icon = false;        // a message box shows an icon
    std::vector<int> buttons; // the ids of a message box's buttons
};

class ViewerProcess {
public:
    // Copies the viewer (built beside the tests) into folder and starts it there; returns once
    // its main window is up (or a message box shows that it could not be made, or it ended)
    // and it has handled its first events.
    explicit ViewerProcess(const std::filesystem::path& folder);
    ~ViewerProcess(); // ends the viewer if it still runs
    ViewerProcess(const ViewerProcess&) = delete;
    ViewerProcess& operator=(const ViewerProcess&) = delete;

    HWND main() const { return main_; } // nullptr when it never showed
    DWORD processId() const { return process_.dwProcessId; }
    // A control of the main window or of the settings dialog, by its designed name.
    HWND Control(const char* name) const;
    HWND DialogControl(const char* name) const;

    // Waits until the viewer has handled what it was sent and returns the modal window it
    // then shows, if any (the innermost one when several are open).
    std::optional<Modal> Settle();

    // A click on a button, as the mouse gives it, then Settle.
    std::optional<Modal> Click(HWND button);
    // A click at a designed point of the main window's client area (scaled to the window's
    // resolution), through the system's input.
    std::optional<Modal> ClickAt(int x, int y);
    // The resolution the viewer's window is shown at.
    int Dpi() const;
    // The close box of a window, then Settle.
    std::optional<Modal> Close(HWND window);
    // Dismisses a message box or the chooser with one of its buttons (IDOK, IDCANCEL …).
    std::optional<Modal> Answer(const Modal& modal, int button);
    // Replaces the text of an edit, as typing would.
    void Type(HWND edit, const std::wstring& text);

    // The exit code once the viewer has ended, waiting up to the timeout.
    std::optional<DWORD> ExitCode(DWORD timeoutMs = 10000);

private:
    std::vector<HWND> TopLevelWindows() const;

    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

// What a control shows: its window text (for the race card grid, its cells).
std::wstring TextOf(HWND control);
bool IsChecked(HWND button);
// The control's own visibility, whatever its parents'.
bool IsShown(HWND control);
// The control's place in its parent's client area.
RECT PlaceOf(HWND control);

} // namespace mv::test
