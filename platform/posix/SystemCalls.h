#pragma once

// The system calls whose answers depend on where the viewer runs (the file system of the
// betting software's folder, the user of a process at the other end of a socket). They are
// called through this table so that tests can give the answers of a share or of another user
// without a mount or a second account.

#include <sys/types.h>

namespace mv {

struct SystemCalls {
    // Takes a read lease on an open file: 0, or -1 with errno set (fcntl F_SETLEASE).
    int (*takeReadLease)(int fd);
    // The statfs type of the file system holding an open file; false when it cannot be told.
    bool (*fileSystemType)(int fd, unsigned long& type);
    // The effective user of the process at the other end of a connected local socket;
    // false when it cannot be told.
    bool (*peerUser)(int fd, uid_t& user);
};

// The calls in use: the system's own unless a test has replaced them.
const SystemCalls& Calls();

// The system's own calls.
const SystemCalls& RealCalls();

// Replaces the calls in use while it lives.
class ScopedSystemCalls {
public:
    explicit ScopedSystemCalls(const SystemCalls& calls);
    ~ScopedSystemCalls();
    ScopedSystemCalls(const ScopedSystemCalls&) = delete;
    ScopedSystemCalls& operator=(const ScopedSystemCalls&) = delete;

private:
    const SystemCalls* previous_;
    SystemCalls calls_;
};

} // namespace mv
