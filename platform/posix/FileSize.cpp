#include "platform/FileQuery.h"
#include "platform/posix/FileLookup.h"

#include <sys/stat.h>

namespace mv {

// A directory search finds folders too; their size counts as 0.
std::optional<std::uint64_t> FileSizeByName(const std::string& path) {
    const auto found = ResolveEntry(path, [](const std::string& osPath) {
        struct stat st {};
        return ::stat(osPath.c_str(), &st) == 0;
    });
    if (!found) {
        return std::nullopt;
    }
    struct stat st {};
    if (::stat(found->c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return 0;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

} // namespace mv
