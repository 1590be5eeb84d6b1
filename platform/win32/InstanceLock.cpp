#include "platform/InstanceLock.h"

#include <cwchar>
#include <windows.h>

namespace mv {

// Paths name the same folder in any letter case; the full path without a final separator.
std::filesystem::path::string_type NormalFolder(const std::filesystem::path& folder) {
    const std::wstring& given = folder.native();
    const DWORD n = ::GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    if (n == 0 || ::GetFullPathNameW(given.c_str(), n, full.data(), nullptr) == 0) {
        full = given;
    }
    full.resize(std::wcslen(full.c_str()));
    while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) {
        full.pop_back();
    }
    ::CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
    return full;
}

InstanceLock::InstanceLock(const std::filesystem::path& programFolder) {
    const std::string name = "Local\\" + InstanceName(programFolder);
    mutex_ = ::CreateMutexW(nullptr, FALSE, std::wstring(name.begin(), name.end()).c_str());
    heldElsewhere_ = mutex_ != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS;
}

InstanceLock::~InstanceLock() {
    if (mutex_ != nullptr) {
        ::CloseHandle(mutex_);
    }
}

} // namespace mv
