#pragma once

// Paths as the system completes them, and paths longer than its old limit of MAX_PATH
// characters.

#include <filesystem>
#include <string>

namespace mv {

// Where long paths are not enabled, a plain path longer than MAX_PATH names nothing; the
// "\\?\" form of the full path names the same file without that limit. Shorter paths stay as
// they are, so what the system shows of them does not change.
std::filesystem::path WithoutLengthLimit(const std::wstring& wide);

// The full path of a folder as the system completes it (from the current folder and drive),
// without a final separator except for a drive root; the text itself when it names no path.
std::wstring FullFolderPath(const std::wstring& path);

} // namespace mv
