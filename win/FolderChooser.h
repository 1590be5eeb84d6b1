#pragma once

// The shell's folder chooser, as the settings dialog's "変更" uses it: a tree of drives and
// folders with an editable field that holds the chosen folder's full path, opened at the
// initial folder when it names an existing folder (else at the current folder), able to make a
// new folder, and asking before it accepts a typed folder that does not exist.

#include "win/WinUiServices.h"

#include <optional>
#include <string>

namespace mv::win {

// The chosen folder (without a final "\" except for a drive root), or nothing when cancelled.
std::optional<std::string> ChooseFolder(WinUiServices& ui, const std::string& initialFolder);

} // namespace mv::win
