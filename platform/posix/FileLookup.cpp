#include "platform/posix/FileLookup.h"

#include "platform/Codec.h"
#include "platform/FileQuery.h"
#include "platform/posix/FolderListing.h"

#include <sys/stat.h>

namespace mv {

bool IsRegularFile(const std::string& osPath) {
    struct stat st {};
    return ::stat(osPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::string> ResolveEntry(const std::string& path,
                                        bool (*accept)(const std::string& osPath)) {
    const std::string exact = ToOsPath(path).native();
    if (accept(exact)) {
        return exact;
    }
    const SplitPath parts = Split(path);
    if (parts.name.empty()) {
        return std::nullopt;
    }
    const auto [first, last] = EntriesNamed(ListFolder(parts.folder), FoldAsciiCase(parts.name));
    for (auto entry = first; entry != last; ++entry) {
        if (accept(entry->osPath)) {
            return entry->osPath;
        }
    }
    return std::nullopt;
}

std::filesystem::path ToOsPath(const std::string& path) {
    return SjisToUtf8(path);
}

std::optional<std::string> FromOsPath(const std::filesystem::path& osPath) {
    return TryUtf8ToSjis(osPath.native());
}

std::optional<std::filesystem::path> FindFile(const std::string& path) {
    return ResolveEntry(path, IsRegularFile);
}

} // namespace mv
