#include "platform/InstanceLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace mv {

std::filesystem::path::string_type NormalFolder(const std::filesystem::path& folder) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(folder, error);
    return (error ? folder : canonical).lexically_normal().native();
}

InstanceLock::InstanceLock(const std::filesystem::path& programFolder) {
    const std::filesystem::path file = programFolder / "Q-MvRCV98.lock";
    fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        // A folder that cannot be written to may still hold the lock file of an earlier run.
        fd_ = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    }
    heldElsewhere_ = true;
    Take();
}

InstanceLock::~InstanceLock() {
    Release();
}

bool InstanceLock::Take() {
    if (heldElsewhere_) {
        heldElsewhere_ = fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    }
    return !heldElsewhere_;
}

void InstanceLock::Release() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

} // namespace mv
