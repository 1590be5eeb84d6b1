#pragma once

// Paths written with "/" in the tests, turned into the platform's form. "/" is never the
// second byte of a double-byte character, so code page 932 and UTF-8 texts both convert safely.

#include "platform/FileQuery.h"

#include <algorithm>
#include <string>

namespace mv::test {

inline std::string NativePath(std::string path) {
    std::replace(path.begin(), path.end(), '/', PathSeparator);
    return path;
}

} // namespace mv::test
