#pragma once

// File-system queries on code page 932 paths. Names match as on the platform the data comes
// from: the exact name first, then without regard to the case of ASCII letters. A folder
// never counts as a file.

#include <cstdint>
#include <optional>
#include <string>

namespace mv {

// The platform's path separator.
inline constexpr char PathSeparator = '/';

// The path as the operating system takes it (UTF-8 bytes).
std::string ToOsPath(const std::string& path);

// The operating-system path of the regular file that path names, if there is one.
std::optional<std::string> FindFile(const std::string& path);

// True when a regular file (not a folder) is named path.
bool FileExists(const std::string& path);

// True when the first entry matching the pattern is a regular file. The pattern's last
// component may hold "?" (one character) and "*" (any run); entries are taken in the
// platform's order (by name, letter case ignored).
bool PatternFileExists(const std::string& pattern);

// The size of the entry that a directory search for the exact path finds (folders included).
std::optional<std::uint64_t> FileSizeByName(const std::string& path);

// The folder of the running executable, ending with the separator. Fails with a clear message
// when its name cannot be held in code page 932.
std::string ExecutableFolder();

// The full path of the running executable, as a code page 932 text.
std::string ExecutablePath();

} // namespace mv
