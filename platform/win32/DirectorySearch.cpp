#include "platform/win32/DirectorySearch.h"

#include "platform/FileQuery.h"

namespace mv {

std::optional<WIN32_FIND_DATAW> FindFirst(const std::filesystem::path& pattern) {
    WIN32_FIND_DATAW data{};
    const HANDLE h = ::FindFirstFileW(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    ::FindClose(h);
    return data;
}

std::optional<WIN32_FIND_DATAW> FindExact(const std::string& path) {
    if (path.empty() || path.find_first_of("?*") != std::string::npos) {
        return std::nullopt;
    }
    return FindFirst(ToOsPath(path));
}

} // namespace mv
