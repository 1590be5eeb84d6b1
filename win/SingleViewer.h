#pragma once

// The handover from a second start to the viewer already running from the same program
// folder: its main window is found among the user's windows and brought to the front.

#include <filesystem>

namespace mv::win {

// True once the main window of the viewer started from programFolder has answered and been
// brought to the front; false when there is none, or it does not answer.
bool BringRunningViewerForward(const std::filesystem::path& programFolder);

} // namespace mv::win
