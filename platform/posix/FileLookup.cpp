#include "platform/posix/FileLookup.h"

#include "platform/Codec.h"
#include "platform/FileQuery.h"
#include "platform/posix/FolderListing.h"

#include <algorithm>
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

std::string ShownPath(const std::filesystem::path& osPath) {
    const std::string& utf8 = osPath.native();
    if (auto whole = TryUtf8ToSjis(utf8)) {
        return *whole;
    }
    std::string shown;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const auto one = TryUtf8ToSjis(std::string_view(utf8).substr(i, length));
        shown += one ? *one : "?";
        i += std::min(length, utf8.size() - i);
    }
    return shown;
}

std::optional<std::filesystem::path> FindFile(const std::string& path) {
    return ResolveEntry(path, IsRegularFile);
}

} // namespace mv
