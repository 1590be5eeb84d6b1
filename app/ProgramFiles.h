#pragma once

// The viewer's own files, next to its executable: the settings file and the caches.

#include <filesystem>

namespace mv {

struct ProgramFiles {
    std::filesystem::path settingsPath;
    std::filesystem::path cacheFolder;
};

// The folder as the system names it, whatever characters its name holds. Fails with a clear
// message when the system cannot tell where the executable is.
ProgramFiles ProgramFilesNextToExecutable();

} // namespace mv
