#include "platform/posix/FolderWatch.h"

#include "platform/posix/FileSystemKind.h"
#include "platform/posix/SystemCalls.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace mv {
namespace {

// Only on a local file system does every change pass through this kernel; elsewhere changes
// may come from another machine, or from a process the kernel does not see write (FUSE), and
// a watch stays silent about them.
bool ChangesAllSeenHere(const std::string& osFolder) {
    const int fd = ::open(osFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    unsigned long type = 0;
    const bool local =
        Calls().fileSystemType(fd, type) && KindOfFileSystem(type) == FileSystemKind::Local;
    ::close(fd);
    return local;
}

constexpr std::uint32_t NameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr std::uint32_t WriteEvents = IN_MODIFY | IN_CLOSE_WRITE;
constexpr std::uint32_t LostTrack =
    IN_Q_OVERFLOW | IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT;

} // namespace

FolderWatch::~FolderWatch() {
    Stop();
}

bool FolderWatch::Start(const std::string& osFolder, bool writesToo) {
    Stop();
    if (!ChangesAllSeenHere(osFolder)) {
        return false;
    }
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ >= 0 && ::inotify_add_watch(fd_, osFolder.c_str(),
                                        NameEvents | (writesToo ? WriteEvents : 0) |
                                            IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR) < 0) {
        Stop();
    }
    return Active();
}

void FolderWatch::Stop() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

std::optional<std::vector<FolderWatch::Change>> FolderWatch::Changes() {
    std::vector<Change> changes;
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n < 0 && errno == EAGAIN) {
                return changes;
            }
            Stop();
            return std::nullopt;
        }
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
            inotify_event event{};
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof event;
            at += static_cast<ssize_t>(sizeof event + event.len);
            if (at > n) {
                break;
            }
            if ((event.mask & LostTrack) != 0) {
                Stop();
                return std::nullopt;
            }
            if ((event.mask & (NameEvents | WriteEvents)) != 0 && event.len > 0) {
                changes.push_back({(event.mask & (IN_CREATE | IN_MOVED_TO | WriteEvents)) != 0,
                                   std::string(name, ::strnlen(name, event.len))});
            }
        }
    }
}

} // namespace mv
