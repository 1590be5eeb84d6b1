#pragma once

// The settings dialog (TSubForm) in Win32: created for one opening, shown modally over its
// owner, discarded when closed. The form decides everything, closing included: the dialog
// closes only once the form has run its closing handler to the end, whether through "閉じる",
// the close box or the system's close command.

#include "win/Fonts.h"
#include "win/WinUiServices.h"

#include <filesystem>
#include <windows.h>

namespace mv::win {

inline constexpr wchar_t SettingsDialogClass[] = L"TSubForm";

// Creates the dialog, shows it modally over owner and returns once it has closed.
void RunSettingsDialog(HWND owner, WinUiServices& ui, Fonts& fonts,
                       const std::filesystem::path& settingsPath);

} // namespace mv::win
