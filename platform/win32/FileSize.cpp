#include "platform/FileQuery.h"
#include "platform/win32/DirectorySearch.h"

namespace mv {

std::optional<std::uint64_t> FileSizeByName(const std::string& path) {
    const auto found = FindExact(path);
    if (!found) {
        return std::nullopt;
    }
    return (static_cast<std::uint64_t>(found->nFileSizeHigh) << 32) | found->nFileSizeLow;
}

} // namespace mv
