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
    heldElsewhere_ = true;
    Take();
}

InstanceLock::~InstanceLock() {
    Release();
}

// Owned, not merely opened: every later start opens the mutex too, so that it outlives the
// viewer that made it; ownership goes with the viewer's end, also when it is killed.
bool InstanceLock::Take() {
    if (heldElsewhere_) {
        heldElsewhere_ = mutex_ != nullptr && ::WaitForSingleObject(mutex_, 0) == WAIT_TIMEOUT;
    }
    return !heldElsewhere_;
}

void InstanceLock::Release() {
    if (mutex_ != nullptr) {
        if (!heldElsewhere_) {
            ::ReleaseMutex(mutex_);
        }
        ::CloseHandle(mutex_);
        mutex_ = nullptr;
    }
}

} // namespace mv
