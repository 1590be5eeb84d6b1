#include "platform/FileQuery.h"
#include "platform/win32/DirectorySearch.h"

namespace mv {

bool PatternFileExists(const std::string& pattern) {
    const auto found = FindFirst(ToOsPath(pattern));
    return found && !IsFolder(*found);
}

} // namespace mv
