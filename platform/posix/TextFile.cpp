#include "platform/TextFile.h"

#include "platform/Failure.h"
#include "platform/FileQuery.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace mv {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// A read lease is refused while any process has the file open for writing: then the betting
// software is still writing it. Where leases are not permitted (another owner without the
// capability, a file system without them) the file is read without the test.
bool OpenForWritingElsewhere(int fd) {
    // A writer that opens the file while we hold the lease makes the kernel signal us; the
    // lease is held only for the read, so the signal is ignored rather than fatal.
    static const bool ignoreLeaseBreaks = [] {
        std::signal(SIGIO, SIG_IGN);
        return true;
    }();
    (void)ignoreLeaseBreaks;
    if (::fcntl(fd, F_SETLEASE, F_RDLCK) == 0) {
        return false;
    }
    return errno == EAGAIN;
}

bool ReadAll(int fd, std::string& out) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) {
            return true;
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        out.append(buffer, static_cast<std::size_t>(n));
    }
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

mode_t NewFileMode(const std::string& osPath) {
    struct stat st {};
    if (::stat(osPath.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        return st.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

Lines ReadLines(const std::string& path) {
    const auto osPath = FindFile(path);
    if (!osPath) {
        throw Failure::CannotOpen(path);
    }
    // Non-blocking, so that a FIFO of that name cannot hang the viewer; it is refused below.
    FileDescriptor fd(::open(osPath->c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        OpenForWritingElsewhere(fd.get())) {
        throw Failure::CannotOpen(path);
    }
    std::string bytes;
    const bool complete = ReadAll(fd.get(), bytes);
    ::fcntl(fd.get(), F_SETLEASE, F_UNLCK);
    if (!complete) {
        throw Failure::CannotOpen(path);
    }
    return SplitLines(bytes);
}

bool ReplaceFileContent(const std::string& path, std::string_view bytes, Durability durability) {
    const std::string target = ToOsPath(path);
    std::string temp = target + ".XXXXXX";
    FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        return false;
    }
    bool ok = ::fchmod(fd.get(), NewFileMode(target)) == 0 && WriteAll(fd.get(), bytes);
    if (ok && durability == Durability::Durable) {
        ok = ::fsync(fd.get()) == 0;
    }
    ok = (::close(fd.release()) == 0) && ok;
    if (ok) {
        ok = ::rename(temp.c_str(), target.c_str()) == 0;
    }
    if (!ok) {
        ::unlink(temp.c_str());
    }
    return ok;
}

} // namespace mv
