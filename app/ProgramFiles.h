#pragma once

// The viewer's own files, next to its executable: the settings file and the caches.

#include <string>

namespace mv {

struct ProgramFiles {
    std::string settingsPath;
    std::string cacheFolder; // ends with the separator
};

// Fails with a clear message when the executable's folder cannot be named in code page 932.
ProgramFiles ProgramFilesNextToExecutable();

} // namespace mv
