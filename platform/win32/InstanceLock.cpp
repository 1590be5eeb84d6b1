#include "platform/InstanceLock.h"

#include "platform/win32/LongPath.h"

#include <windows.h>

namespace mv {

// Paths name the same folder in any letter case.
std::filesystem::path::string_type NormalFolder(const std::filesystem::path& folder) {
    std::wstring full = FullFolderPath(folder.native());
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
