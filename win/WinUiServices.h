#pragma once

// The user-interface services in Win32: message boxes, the shell's folder chooser, the yes/no
// question, the settings dialog and the end of the application. Every box is modal over the
// window that owns it at the moment: the main window, or the settings dialog while it is open.

#include "platform/UiServices.h"

#include <functional>
#include <windows.h>

namespace mv::win {

class WinUiServices : public UiServices {
public:
    void setOwner(HWND owner) { owner_ = owner; }
    HWND owner() const { return owner_; }
    void setSettingsDialog(std::function<void()> open) { openSettings_ = std::move(open); }

    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    std::optional<std::string> SelectFolder(const std::string& initialFolder) override;
    bool AskYesNo(const std::string& question) override;
    void OpenSettingsDialog() override;
    void RequestEnd() override { endRequested_ = true; }

    // The end is carried out by the main window once the event that asked for it is done, so
    // that no nested message loop (a dialog, a message box) is cut short.
    bool endRequested() const { return endRequested_; }

private:
    int Box(const std::string& text, UINT type);

    HWND owner_ = nullptr;
    std::function<void()> openSettings_;
    bool endRequested_ = false;
};

} // namespace mv::win
