#include "faults/FaultSupport.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <linux/capability.h>
#include <linux/magic.h>
#include <stdexcept>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mv::test {
namespace {

// The capabilities that override permission bits on files and folders.
constexpr unsigned OverrideCapabilities = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

struct Capabilities {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3]{};
};

// Adds or removes capabilities from the effective set; the permitted set keeps them, so they
// can come back. Only this thread is affected, and the tests have no other.
bool SetEffective(unsigned capabilities, bool on) {
    Capabilities caps;
    if (::syscall(SYS_capget, &caps.header, caps.data) != 0) {
        return false;
    }
    if (on) {
        caps.data[0].effective |= caps.data[0].permitted & capabilities;
    } else {
        caps.data[0].effective &= ~capabilities;
    }
    return ::syscall(SYS_capset, &caps.header, caps.data) == 0;
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(std::filesystem::path folder)
    : folder_(std::move(folder)), before_(std::filesystem::status(folder_).permissions()) {
    using std::filesystem::perms;
    std::filesystem::permissions(folder_,
                                 perms::owner_write | perms::group_write | perms::others_write,
                                 std::filesystem::perm_options::remove);
    capabilitiesDropped_ = SetEffective(OverrideCapabilities, false);
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (capabilitiesDropped_) {
        SetEffective(OverrideCapabilities, true);
    }
    std::error_code ignored;
    std::filesystem::permissions(folder_, before_, ignored);
}

bool ReadOnlyFolder::Effective() const {
    const auto probe = folder_ / "probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return true;
    }
    ::close(fd);
    ::unlink(probe.c_str());
    return false;
}

LeaseRefused::LeaseRefused(const std::filesystem::path& file) {
    // The owner of nobody's files: a file of another owner gets no lease without CAP_LEASE.
    constexpr uid_t Nobody = 65534;
    if (::chown(file.c_str(), Nobody, Nobody) != 0) {
        return;
    }
    dropped_ = SetEffective(1u << CAP_LEASE, false);
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    effective_ = fd >= 0 && ::fcntl(fd, F_SETLEASE, F_RDLCK) != 0 && errno != EAGAIN;
    if (fd >= 0) {
        ::close(fd);
    }
}

LeaseRefused::~LeaseRefused() {
    if (dropped_) {
        SetEffective(1u << CAP_LEASE, true);
    }
}

WriterHolding::WriterHolding(const std::filesystem::path& file) {
    int opened[2], release[2];
    if (::pipe(opened) != 0 || ::pipe(release) != 0) {
        throw std::runtime_error("pipe failed");
    }
    child_ = ::fork();
    if (child_ == 0) {
        ::close(opened[0]);
        ::close(release[1]);
        const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND);
        const char ready = fd >= 0 ? '1' : '0';
        (void)!::write(opened[1], &ready, 1);
        char ignored;
        (void)!::read(release[0], &ignored, 1); // returns once the parent closes its end
        ::_exit(0);
    }
    ::close(opened[1]);
    ::close(release[0]);
    release_ = release[1];
    char ready = '0';
    const bool told = ::read(opened[0], &ready, 1) == 1;
    ::close(opened[0]);
    if (child_ < 0 || !told || ready != '1') {
        throw std::runtime_error("the writer could not open " + file.string());
    }
}

WriterHolding::~WriterHolding() {
    ::close(release_);
    if (child_ > 0) {
        ::waitpid(child_, nullptr, 0);
    }
}

Appender::Appender(const std::filesystem::path& file) {
    int ready[2];
    if (::pipe(ready) != 0) {
        throw std::runtime_error("pipe failed");
    }
    child_ = ::fork();
    if (child_ == 0) {
        const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        const char ok = fd >= 0 && ::write(fd, "x", 1) == 1 ? '1' : '0';
        (void)!::write(ready[1], &ok, 1);
        while (::write(fd, "x", 1) == 1) {
        }
        ::_exit(0);
    }
    ::close(ready[1]);
    char ok = '0';
    const bool told = ::read(ready[0], &ok, 1) == 1;
    ::close(ready[0]);
    if (child_ < 0 || !told || ok != '1') {
        throw std::runtime_error("the appender could not write " + file.string());
    }
}

Appender::~Appender() {
    ::kill(child_, SIGKILL);
    ::waitpid(child_, nullptr, 0);
}

SystemCalls ShareWithoutOplocks() {
    SystemCalls calls = RealCalls();
    calls.takeReadLease = [](int) {
        errno = EAGAIN;
        return -1;
    };
    calls.fileSystemType = [](int, unsigned long& type) {
        type = SMB2_SUPER_MAGIC;
        return true;
    };
    return calls;
}

std::set<std::string> EntryNames(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

} // namespace mv::test
