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

enum class Lease { Held, WriterActive, Unavailable };

// A read lease is refused while any process has the file open for writing: then the betting
// software is still writing it. Where no lease can be had for another reason (a network or
// FUSE file system, a file of another owner without the capability) the caller checks the
// file's size and time stamp around the read instead.
Lease TakeReadLease(int fd) {
    // A writer that opens the file while we hold the lease makes the kernel signal us; the
    // lease is held only for the read, so the signal is ignored rather than fatal.
    static const bool ignoreLeaseBreaks = [] {
        std::signal(SIGIO, SIG_IGN);
        return true;
    }();
    (void)ignoreLeaseBreaks;
    if (::fcntl(fd, F_SETLEASE, F_RDLCK) == 0) {
        return Lease::Held;
    }
    return errno == EAGAIN ? Lease::WriterActive : Lease::Unavailable;
}

bool SameStamp(const struct stat& a, const struct stat& b) {
    return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec &&
           a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

// Reads to the end, or only until the first line has ended when `firstLine` is set.
bool ReadBytes(int fd, std::string& out, bool firstLine) {
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
        const std::string_view chunk(buffer, static_cast<std::size_t>(n));
        out.append(chunk);
        if (firstLine && EndsALine(chunk)) {
            return true;
        }
    }
}

// The file's bytes, refused while another process writes it.
std::string ReadUnwritten(const std::string& path, bool firstLine) {
    const auto osPath = FindFile(path);
    if (!osPath) {
        throw Failure::CannotOpen(path);
    }
    // Non-blocking, so that a FIFO of that name cannot hang the viewer; it is refused below.
    FileDescriptor fd(::open(osPath->c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat before {};
    if (fd.get() < 0 || ::fstat(fd.get(), &before) != 0 || !S_ISREG(before.st_mode)) {
        throw Failure::CannotOpen(path);
    }
    const Lease lease = TakeReadLease(fd.get());
    if (lease == Lease::WriterActive) {
        throw Failure::CannotOpen(path);
    }
    std::string bytes;
    bool complete = ReadBytes(fd.get(), bytes, firstLine);
    if (lease == Lease::Held) {
        ::fcntl(fd.get(), F_SETLEASE, F_UNLCK);
    } else {
        struct stat after {};
        complete = complete && ::fstat(fd.get(), &after) == 0 && SameStamp(before, after);
    }
    if (!complete) {
        throw Failure::CannotOpen(path);
    }
    return bytes;
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
    return SplitLines(ReadUnwritten(path, false));
}

Lines ReadFirstLine(const std::string& path) {
    return FirstLineOf(ReadUnwritten(path, true));
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
