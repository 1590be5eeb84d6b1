#include "platform/Codec.h"
#include "platform/FileQuery.h"
#include "platform/win32/DirectorySearch.h"
#include "platform/win32/LongPath.h"

#include <cwchar>
#include <windows.h>

namespace mv {

std::filesystem::path ToOsPath(const std::string& path) {
    const std::u16string utf16 = SjisToUtf16(path);
    return WithoutLengthLimit(std::wstring(utf16.begin(), utf16.end()));
}

std::filesystem::path WithoutLengthLimit(const std::wstring& wide) {
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

std::wstring FullFolderPath(const std::wstring& path) {
    const DWORD n = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    if (n == 0 || ::GetFullPathNameW(path.c_str(), n, full.data(), nullptr) == 0) {
        full = path;
    }
    full.resize(std::wcslen(full.c_str()));
    while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) {
        full.pop_back();
    }
    return full;
}

std::optional<std::string> FromOsPath(const std::filesystem::path& osPath) {
    const std::wstring& wide = osPath.native();
    return TryUtf16ToSjis(std::u16string(wide.begin(), wide.end()));
}

std::string ShownPath(const std::filesystem::path& osPath) {
    std::wstring wide = osPath.native();
    // The unlimited form is the system's business; the user knows the path without it.
    if (wide.rfind(L"\\\\?\\UNC\\", 0) == 0) {
        wide = L"\\\\" + wide.substr(8);
    } else if (wide.rfind(L"\\\\?\\", 0) == 0) {
        wide = wide.substr(4);
    }
    const std::u16string utf16(wide.begin(), wide.end());
    if (auto whole = TryUtf16ToSjis(utf16)) {
        return *whole;
    }
    std::string shown;
    for (std::size_t i = 0; i < utf16.size();) {
        const bool pair = utf16[i] >= 0xD800 && utf16[i] < 0xDC00 && i + 1 < utf16.size();
        const std::size_t length = pair ? 2 : 1;
        const auto one = TryUtf16ToSjis(std::u16string_view(utf16).substr(i, length));
        shown += one ? *one : "?";
        i += length;
    }
    return shown;
}

// The file system ignores letter case itself, so the exact path is the file's path. The
// attributes answer as a directory search would, without opening the folder: a race probe asks
// sixty names at once. Where they cannot be read although an entry may be there (a file being
// deleted, a file its owner shut the viewer out of), the directory search decides.
std::optional<std::filesystem::path> FindFile(const std::string& path) {
    if (path.empty() || path.find_first_of("?*") != std::string::npos) {
        return std::nullopt;
    }
    std::filesystem::path osPath = ToOsPath(path);
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (::GetFileAttributesExW(osPath.c_str(), GetFileExInfoStandard, &attributes)) {
        if ((attributes.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return std::nullopt;
        }
        return osPath;
    }
    // Any other failure (no such entry, an unreachable share) fails the search as well; asking
    // again would only wait twice.
    if (const DWORD error = ::GetLastError(); error != ERROR_ACCESS_DENIED &&
                                              error != ERROR_SHARING_VIOLATION &&
                                              error != ERROR_LOCK_VIOLATION) {
        return std::nullopt;
    }
    const auto found = FindExact(path);
    if (!found || IsFolder(*found)) {
        return std::nullopt;
    }
    return osPath;
}

} // namespace mv
