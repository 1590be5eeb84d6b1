#include "platform/FileQuery.h"

#include "platform/Codec.h"

#include <cwchar>
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

// Where long paths are not enabled, a plain path longer than MAX_PATH names nothing; the
// "\\?\" form of the full path names the same file without that limit. Shorter paths stay as
// they are, so what the system shows of them does not change.
std::filesystem::path ToOsPath(const std::string& path) {
    const std::u16string utf16 = SjisToUtf16(path);
    std::wstring wide(utf16.begin(), utf16.end());
    // Room for the 8.3 name a folder's path must leave. Only a full path is a path of its own:
    // a name is joined to a folder by the caller.
    constexpr std::size_t Limit = MAX_PATH - 12;
    const bool drive = wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\';
    const bool unc = wide.rfind(L"\\\\", 0) == 0 && wide.rfind(L"\\\\?\\", 0) != 0;
    if (wide.size() < Limit || !(drive || unc)) {
        return wide;
    }
    const DWORD n = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    if (n == 0 || ::GetFullPathNameW(wide.c_str(), n, full.data(), nullptr) == 0) {
        return wide;
    }
    full.resize(std::wcslen(full.c_str()));
    if (full.rfind(L"\\\\", 0) == 0) {
        return L"\\\\?\\UNC\\" + full.substr(2); // \\server\share\...
    }
    if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') {
        return L"\\\\?\\" + full;
    }
    return wide;
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
