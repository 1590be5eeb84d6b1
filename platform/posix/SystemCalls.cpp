#include "platform/posix/SystemCalls.h"

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/vfs.h>

namespace mv {
namespace {

int TakeReadLease(int fd) {
    // A writer that opens the file while we hold the lease makes the kernel signal us; the
    // lease is held only for the read, so the signal is ignored rather than fatal.
    static const bool ignoreLeaseBreaks = [] {
        std::signal(SIGIO, SIG_IGN);
        return true;
    }();
    (void)ignoreLeaseBreaks;
    return ::fcntl(fd, F_SETLEASE, F_RDLCK);
}

bool FileSystemType(int fd, unsigned long& type) {
    struct statfs fs {};
    if (::fstatfs(fd, &fs) != 0) {
        return false;
    }
    type = static_cast<unsigned long>(fs.f_type);
    return true;
}

bool PeerUser(int fd, uid_t& user) {
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || size != sizeof peer) {
        return false;
    }
    user = peer.uid;
    return true;
}

constexpr SystemCalls Real{TakeReadLease, FileSystemType, PeerUser};

const SystemCalls* current = &Real;

} // namespace

const SystemCalls& Calls() {
    return *current;
}

const SystemCalls& RealCalls() {
    return Real;
}

ScopedSystemCalls::ScopedSystemCalls(const SystemCalls& calls) : previous_(current), calls_(calls) {
    current = &calls_;
}

ScopedSystemCalls::~ScopedSystemCalls() {
    current = previous_;
}

} // namespace mv
