#pragma once

// The handover from a second start to the viewer already running from the same program
// folder: its main window is found among the user's windows and brought to the front.

#include <filesystem>

namespace mv::win {

// True once the main window of the viewer started from programFolder is in front. A viewer
// that is still starting is given a moment to show its window.
bool BringRunningViewerForward(const std::filesystem::path& programFolder);

} // namespace mv::win
