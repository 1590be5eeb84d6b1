#include "platform/FileQuery.h"

#include "platform/Codec.h"

#include <windows.h>

namespace mv {
namespace {

// The first entry a directory search finds, as the system orders them.
std::optional<WIN32_FIND_DATAW> FindFirst(const std::filesystem::path& pattern) {
    WIN32_FIND_DATAW data{};
    const HANDLE h = ::FindFirstFileW(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    ::FindClose(h);
    return data;
}

// The entry named path exactly. A search takes "?" and "*" as wildcards, which no Windows
// name holds, so a path with them names nothing rather than whatever they match.
std::optional<WIN32_FIND_DATAW> FindExact(const std::string& path) {
    if (path.empty() || path.find_first_of("?*") != std::string::npos) {
        return std::nullopt;
    }
    return FindFirst(ToOsPath(path));
}

bool IsFolder(const WIN32_FIND_DATAW& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

std::filesystem::path ToOsPath(const std::string& path) {
    const std::u16string wide = SjisToUtf16(path);
    return std::wstring(wide.begin(), wide.end());
}

std::optional<std::string> FromOsPath(const std::filesystem::path& osPath) {
    const std::wstring& wide = osPath.native();
    return TryUtf16ToSjis(std::u16string(wide.begin(), wide.end()));
}

// The file system ignores letter case itself, so the exact path is the file's path.
std::optional<std::filesystem::path> FindFile(const std::string& path) {
    const auto found = FindExact(path);
    if (!found || IsFolder(*found)) {
        return std::nullopt;
    }
    return ToOsPath(path);
}

bool PatternFileExists(const std::string& pattern) {
    const auto found = FindFirst(ToOsPath(pattern));
    return found && !IsFolder(*found);
}

std::optional<std::uint64_t> FileSizeByName(const std::string& path) {
    const auto found = FindExact(path);
    if (!found) {
        return std::nullopt;
    }
    return (static_cast<std::uint64_t>(found->nFileSizeHigh) << 32) | found->nFileSizeLow;
}

std::filesystem::path ExecutableOsPath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), size);
        if (n == 0) {
            return {};
        }
        if (n < size) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace mv
