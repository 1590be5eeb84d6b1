#pragma once

// The system's directory search, of which every Windows file query is made: the file system
// ignores letter case itself, so no listing is kept.

#include <filesystem>
#include <optional>
#include <string>
#include <windows.h>

namespace mv {

// The first entry a directory search finds, as the system orders them.
std::optional<WIN32_FIND_DATAW> FindFirst(const std::filesystem::path& pattern);

// The entry named path exactly. A search takes "?" and "*" as wildcards, which no Windows
// name holds, so a path with them names nothing rather than whatever they match.
std::optional<WIN32_FIND_DATAW> FindExact(const std::string& path);

inline bool IsFolder(const WIN32_FIND_DATAW& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace mv
