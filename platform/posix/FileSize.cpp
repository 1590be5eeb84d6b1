#include "platform/FileQuery.h"
#include "platform/posix/FileLookup.h"

#include <sys/stat.h>

namespace mv {

// A directory search finds folders too; their size counts as 0.
std::optional<std::uint64_t> FileSizeByName(const std::string& path) {
    struct stat st {};
    if (::stat(ToOsPath(path).c_str(), &st) != 0) {
        const auto found = ResolveEntry(path, [](const std::string& osPath) {
            struct stat any {};
            return ::stat(osPath.c_str(), &any) == 0;
        });
        if (!found) {
            return std::nullopt;
        }
        if (::stat(found->c_str(), &st) != 0) {
            return 0;
        }
    }
    return S_ISREG(st.st_mode) ? static_cast<std::uint64_t>(st.st_size) : 0;
}

} // namespace mv
