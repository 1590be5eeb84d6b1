#include "platform/TextFile.h"

#include "platform/DiskFile.h"
#include "platform/Failure.h"
#include "platform/FileQuery.h"
#include "platform/posix/FileSystemKind.h"
#include "platform/posix/SystemCalls.h"

#include <cerrno>
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
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            if (fd_ >= 0) {
                ::close(fd_);
            }
            fd_ = other.release();
        }
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

enum class Lease { Held, WriterActive, Unavailable };

// A read lease is refused while any process of this machine has the file open for writing:
// then the betting software is still writing it. Where no lease can be had for another reason
// (a file of another owner without the capability, a network file system) the caller checks
// the file's size and time stamp around the read instead.
Lease TakeReadLease(int fd) {
    if (Calls().takeReadLease(fd) == 0) {
        return Lease::Held;
    }
    if (errno != EAGAIN) {
        return Lease::Unavailable;
    }
    // The client of a network file system refuses a lease whenever its server has not let it
    // cache the file (an SMB share without an oplock, NFS without a delegation), which is the
    // ordinary case there: the refusal says nothing about writers.
    unsigned long type = 0;
    return Calls().fileSystemType(fd, type) && KindOfFileSystem(type) == FileSystemKind::Network
               ? Lease::Unavailable
               : Lease::WriterActive;
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

// A file opened for reading, with the lease taken on it.
struct OpenedFile {
    FileDescriptor fd{-1};
    Lease lease = Lease::Unavailable;
    struct stat before {}; // taken where no lease is held
};

// The regular file at the OS path opened for reading; fd -1 when there is none or it cannot
// be opened. The kernel grants a lease on a regular file only, so a held lease answers without
// asking the file's type; the lease goes with the descriptor when it is closed.
OpenedFile OpenRegular(const std::string& osPath) {
    // Non-blocking, so that a FIFO of that name cannot hang the viewer; it is refused here.
    OpenedFile file;
    file.fd = FileDescriptor(::open(osPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.fd.get() < 0) {
        return file;
    }
    file.lease = TakeReadLease(file.fd.get());
    if (file.lease != Lease::Held &&
        (::fstat(file.fd.get(), &file.before) != 0 || !S_ISREG(file.before.st_mode))) {
        file.fd = FileDescriptor(-1);
    }
    return file;
}

// The bytes of an open regular file, refused while another process writes it.
std::string ReadUnwritten(const OpenedFile& file, const std::string& shown, bool firstLine) {
    if (file.lease == Lease::WriterActive) {
        throw Failure::CannotOpen(shown);
    }
    std::string bytes;
    bool complete = ReadBytes(file.fd.get(), bytes, firstLine);
    if (file.lease != Lease::Held) {
        struct stat after {};
        complete = complete && ::fstat(file.fd.get(), &after) == 0 && SameStamp(file.before, after);
    }
    if (!complete) {
        throw Failure::CannotOpen(shown);
    }
    return bytes;
}

std::string ReadUnwritten(const std::string& osPath, const std::string& shown, bool firstLine) {
    const OpenedFile file = OpenRegular(osPath);
    if (file.fd.get() < 0) {
        throw Failure::CannotOpen(shown);
    }
    return ReadUnwritten(file, shown, firstLine);
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

// Read-only as the user means it: no one may write the file, whatever root could do anyway.
bool ReadOnly(const struct stat& st) {
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// The whole content written over what the file just opened held, then cut to its length: the
// cheapest way to leave exactly these bytes in an existing file.
bool Overwrite(int fd, std::string_view bytes) {
    return WriteAll(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
}

// A regular file the user lets us write, opened for writing; -1 when there is none.
int OpenWritable(const std::string& osPath, int flags) {
    // Non-blocking, so that a FIFO of that name cannot hang the viewer; it is refused below.
    FileDescriptor fd(::open(osPath.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | flags, 0666));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || ReadOnly(st)) {
        return -1;
    }
    return fd.release();
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Six characters for the name of a temporary file that no one else has made.
std::string UniqueName() {
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static unsigned long long state = static_cast<unsigned long long>(::getpid()) << 32 ^
                                      static_cast<unsigned long long>(::time(nullptr));
    std::string name;
    for (int i = 0; i < 6; ++i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        name += Letters[(state >> 33) % (sizeof Letters - 1)];
    }
    return name;
}

// A new temporary file beside the target, open for writing; -1 with errno when none can be
// made.
int CreateTemporary(const std::filesystem::path& target, std::string& temp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = TemporaryName(target, UniqueName()).native();
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

bool SyncFolderOf(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path();
    FileDescriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC));
    return fd.get() >= 0 && ::fsync(fd.get()) == 0;
}

} // namespace

std::filesystem::path FollowLinks(const std::filesystem::path& osPath) {
    std::filesystem::path path = osPath;
    // A loop of links ends somewhere; the system gives up after 40 as well.
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(path, error)) {
            break;
        }
        const std::filesystem::path to = std::filesystem::read_symlink(path, error);
        if (error) {
            break;
        }
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    return path;
}

std::string DiskReadFirstLine(const std::string& path) {
    // Opening the exact name tells at once whether it is a regular file; only a miss looks for
    // the name in another letter case.
    if (const OpenedFile file = OpenRegular(ToOsPath(path).native()); file.fd.get() >= 0) {
        return ReadUnwritten(file, path, true);
    }
    const auto osPath = FindFile(path);
    if (!osPath) {
        throw Failure::CannotOpen(path);
    }
    return ReadUnwritten(osPath->native(), path, true);
}

std::string DiskReadAll(const std::filesystem::path& osPath) {
    return ReadUnwritten(osPath.native(), ShownPath(osPath), false);
}

void DiskWrite(const std::filesystem::path& osPath, std::string_view bytes) {
    FileDescriptor fd(OpenWritable(osPath.native(), O_CREAT));
    if (fd.get() < 0 || !Overwrite(fd.get(), bytes) || ::close(fd.release()) != 0) {
        throw Failure::CannotCreate(ShownPath(osPath));
    }
}

bool ReplaceFileContent(const std::filesystem::path& osPath, std::string_view bytes) {
    const std::filesystem::path target = FollowLinks(osPath);
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && (!S_ISREG(st.st_mode) || ReadOnly(st) || ::access(target.c_str(), W_OK) != 0)) {
        return false;
    }
    std::string temp;
    FileDescriptor fd(CreateTemporary(target, temp));
    if (fd.get() < 0) {
        // A folder that cannot be written may still hold a file that can.
        if (!exists || (errno != EACCES && errno != EPERM && errno != EROFS)) {
            return false;
        }
        FileDescriptor file(OpenWritable(target.native(), 0));
        return file.get() >= 0 && Overwrite(file.get(), bytes) && ::fsync(file.get()) == 0 &&
               ::close(file.release()) == 0;
    }
    bool ok = ::fchmod(fd.get(), exists ? (st.st_mode & 07777) : NewFileMode()) == 0 &&
              WriteAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    ok = (::close(fd.release()) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself reaches the disk only with its folder.
    SyncFolderOf(target);
    return true;
}

} // namespace mv
