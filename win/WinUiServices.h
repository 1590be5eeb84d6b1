#pragma once

// The user-interface services in Win32: message boxes, the shell's folder chooser, the yes/no
// question, the settings dialog and the end of the application. Every box is modal over the
// window that owns it at the moment: the main window, or the settings dialog while it is open.

#include "platform/ViewUiServices.h"

#include <windows.h>

namespace mv::win {

class WinUiServices : public ViewUiServices {
public:
    void setOwner(HWND owner) { owner_ = owner; }
    HWND owner() const { return owner_; }

    void ShowMessage(const std::string& text) override;
    void SetClipboardText(const std::string& text) override;
    std::optional<std::filesystem::path> AskSavePath(const SaveRequest& request) override;
    void ShowError(const std::string& text) override;
    std::optional<std::string> SelectFolder(const std::string& initialFolder) override;
    bool AskYesNo(const std::string& question) override;

private:
    int Box(const std::string& text, UINT type);

    HWND owner_ = nullptr;
};

} // namespace mv::win
