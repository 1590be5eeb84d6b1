#include "platform/Codec.h"
#include "platform/FileQuery.h"
#include "platform/win32/DirectorySearch.h"

#include <cwchar>
#include <windows.h>

namespace mv {

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

} // namespace mv
