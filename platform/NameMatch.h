#pragma once

// The wildcard match of a file name search: "?" stands for one character and "*" for any run
// of characters, a double-byte character counting as one.

#include <string>

namespace mv {

// True when the whole name matches the pattern; both are compared byte for byte, so the caller
// folds letter case first where case does not count.
bool MatchesPattern(const std::string& pattern, const std::string& name);

} // namespace mv
