// Reading the betting software's files where the system cannot tell a live writer by a read
// lease (network and FUSE file systems, files of another user), and files far longer than
// their line 1.

#include "faults/FaultSupport.h"
#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mv {
namespace {

namespace fs = std::filesystem;

// The bytes this process has read so far, as the kernel counts its read calls.
long long BytesReadSoFar() {
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value = 0;
    while (io >> key >> value) {
        if (key == "rchar:") {
            return value;
        }
    }
    return -1;
}

// Another process appending to a file without pause, as the betting software does while it
// writes; it is stopped when destroyed.
class Appender {
public:
    explicit Appender(const fs::path& file) {
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
    ~Appender() {
        ::kill(child_, SIGKILL);
        ::waitpid(child_, nullptr, 0);
    }
    Appender(const Appender&) = delete;
    Appender& operator=(const Appender&) = delete;

private:
    pid_t child_ = -1;
};

TEST(ReadFaults, LineOneOfAHugeFileCostsWhatLineOneDoes) {
    const test::TempFolder dir;
    const std::string line(300, '1');
    const std::string path = dir.Write("De-58b.jra", line + "\r\n");
    // Two gigabytes after line 1, without taking the disk space.
    fs::resize_file(dir.osPath() / "De-58b.jra", std::uintmax_t{2} << 30);

    const long long before = BytesReadSoFar();
    EXPECT_EQ(ReadFirstLine(path), Lines{line});
    EXPECT_LT(BytesReadSoFar() - before, 1 << 20);
}

TEST(ReadFaults, WithoutALeaseAFileAtRestIsRead) {
    const test::TempFolder dir;
    const std::string path = dir.Write("Uy-a.jra", "line 1\r\nline 2\r\n");
    const test::LeaseRefused refused(dir.osPath() / "Uy-a.jra");
    if (!refused.Effective()) {
        GTEST_SKIP() << "this process cannot be kept from taking a lease";
    }
    EXPECT_EQ(ReadFirstLine(path), Lines{"line 1"});
    EXPECT_EQ(ReadLines(path), (Lines{"line 1", "line 2"}));
}

TEST(ReadFaults, WithoutALeaseAFileThatGrowsDuringTheReadIsStillBeingWritten) {
    const test::TempFolder dir;
    // Line 1 long enough that the read takes a while, with no end yet.
    const std::string path = dir.Write("Zo-58b.jra", std::string(64 << 20, '1'));
    const fs::path os = dir.osPath() / "Zo-58b.jra";
    {
        const Appender writer(os);
        const test::LeaseRefused refused(os);
        if (!refused.Effective()) {
            GTEST_SKIP() << "this process cannot be kept from taking a lease";
        }
        try {
            ReadFirstLine(path);
            FAIL() << "a file growing during the read was read";
        } catch (const Failure& f) {
            EXPECT_EQ(f.message(), Sjis("ファイル ") + path + Sjis(" は開けません"));
        }
    }
    // Once the writer is done, the file reads.
    const test::LeaseRefused refused(os);
    EXPECT_EQ(ReadFirstLine(path).size(), 1u);
}

} // namespace
} // namespace mv
