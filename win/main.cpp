// Program entry: the main window on the form's logic, with the settings file and the caches
// next to the executable.

#include "app/MainForm.h"
#include "app/ProgramFiles.h"
#include "app/SecondStart.h"
#include "platform/Dispatch.h"
#include "platform/InstanceLock.h"
#include "platform/TextFile.h"
#include "win/Fonts.h"
#include "win/MainWindow.h"
#include "win/SettingsDialog.h"
#include "win/SingleViewer.h"
#include "win/WinUiServices.h"

#include <commctrl.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    mv::win::WinUiServices ui;
    // The settings and caches live next to the executable.
    mv::ProgramFiles files;
    if (!mv::Dispatch(ui, [&] { files = mv::ProgramFilesNextToExecutable(); })) {
        return 1;
    }
    // One viewer per program folder: a second start brings the first to the front.
    mv::InstanceLock lock(files.cacheFolder);
    if (lock.heldElsewhere()) {
        const mv::SecondStart outcome = mv::WaitForTheRunningViewer(
            ui, {[&] { return lock.Take(); },
                 [&] { return mv::win::BringRunningViewerForward(files.cacheFolder); }});
        if (outcome != mv::SecondStart::Run) {
            return mv::ExitCodeOf(outcome);
        }
    }
    mv::RemoveLeftoverTemporaries(files.settingsPath);
    mv::win::Fonts fonts;
    mv::TMainForm form(ui, files.settingsPath, files.cacheFolder);
    mv::win::MainWindow window(ui, form, fonts);
    ui.setSettingsDialog(
        [&] { mv::win::RunSettingsDialog(window.hwnd(), ui, fonts, files.settingsPath); });
    window.Show(show);

    // The messages, and follow mode's notices beside them: one wait for both, no thread.
    MSG msg{};
    for (bool running = true; running;) {
        HANDLE notice = window.FollowHandle();
        const DWORD waited = ::MsgWaitForMultipleObjectsEx(
            notice != nullptr ? 1 : 0, &notice, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (notice != nullptr && waited == WAIT_OBJECT_0) {
            window.FollowNoticed();
            continue;
        }
        while (running && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                running = false;
            } else if (!window.TakeKey(msg) && !::IsDialogMessageW(window.hwnd(), &msg)) {
                // Tab and the arrow keys move between the controls, as in a dialog.
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
    }
    // Nothing is written once the window has gone: a start waiting for its turn need not wait
    // for this process to end.
    lock.Release();
    return static_cast<int>(msg.wParam);
}
