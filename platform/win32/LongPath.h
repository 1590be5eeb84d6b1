#pragma once

// Paths longer than the system's old limit of MAX_PATH characters.

#include <filesystem>
#include <string>

namespace mv {

// Where long paths are not enabled, a plain path longer than MAX_PATH names nothing; the
// "\\?\" form of the full path names the same file without that limit. Shorter paths stay as
// they are, so what the system shows of them does not change.
std::filesystem::path WithoutLengthLimit(const std::wstring& wide);

} // namespace mv
