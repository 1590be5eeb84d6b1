// Reading the betting software's files where the system cannot tell a live writer by a read
// lease (network file systems, files of another user), and files far longer than their line 1.

#include "faults/FaultSupport.h"
#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/TextFile.h"
#include "platform/posix/SystemCalls.h"
#include "support/ParamName.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <linux/magic.h>
#include <optional>
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
        const test::Appender writer(os);
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

// What a read lease and the file system's type answer, as a share or a local disk would.
struct LeaseCase {
    const char* name;
    std::optional<unsigned long> fileSystem; // nothing: its type cannot be told
    int leaseError;                          // 0: the lease is granted
    bool readAtRest;                         // a file nobody writes is read
    bool readWhileAppended;                  // a file that grows during the read is read
};

void PrintTo(const LeaseCase& c, std::ostream* os) {
    *os << c.name;
}

class LeaseAnswer : public testing::TestWithParam<LeaseCase> {
protected:
    // The calls the reader makes, answering as the row says.
    static inline const LeaseCase* row = nullptr;
    static int FakeLease(int) {
        errno = row->leaseError;
        return row->leaseError == 0 ? 0 : -1;
    }
    static bool FakeType(int, unsigned long& type) {
        type = row->fileSystem.value_or(0);
        return row->fileSystem.has_value();
    }

    void SetUp() override { row = &GetParam(); }
    static SystemCalls Fake() {
        SystemCalls calls = RealCalls();
        calls.takeReadLease = FakeLease;
        calls.fileSystemType = FakeType;
        return calls;
    }

    // Whether ReadFirstLine gives line 1 of the file; otherwise it must fail as a file that
    // cannot be opened.
    static bool Reads(const std::string& path) {
        const ScopedSystemCalls calls(Fake());
        try {
            return !ReadFirstLine(path).empty();
        } catch (const Failure& f) {
            EXPECT_EQ(f.message(), Sjis("ファイル ") + path + Sjis(" は開けません"));
            return false;
        }
    }
};

TEST_P(LeaseAnswer, TellsAFileAtRestFromOneBeingWritten) {
    const test::TempFolder dir;
    const std::string atRest = dir.Write("Uy-a.jra", "line 1\r\nline 2\r\n");
    EXPECT_EQ(Reads(atRest), GetParam().readAtRest);

    // Line 1 long enough that the read takes a while, with no end yet.
    const std::string growing = dir.Write("Zo-58b.jra", std::string(16 << 20, '1'));
    const test::Appender writer(dir.osPath() / "Zo-58b.jra");
    EXPECT_EQ(Reads(growing), GetParam().readWhileAppended);
}

// On a local disk a refused lease means a writer at work; a network file system's client
// refuses one whenever its server has not let it cache the file, so there only the size and
// time stamp around the read tell.
INSTANTIATE_TEST_SUITE_P(
    ReadFaults, LeaseAnswer,
    testing::Values(LeaseCase{"LocalLeaseGranted", EXT4_SUPER_MAGIC, 0, true, true},
                    LeaseCase{"LocalWriterAtWork", EXT4_SUPER_MAGIC, EAGAIN, false, false},
                    LeaseCase{"LocalFileOfAnotherOwner", EXT4_SUPER_MAGIC, EACCES, true, false},
                    LeaseCase{"TmpfsWriterAtWork", TMPFS_MAGIC, EAGAIN, false, false},
                    LeaseCase{"Smb2ShareWithoutAnOplock", SMB2_SUPER_MAGIC, EAGAIN, true, false},
                    LeaseCase{"CifsShareWithoutAnOplock", CIFS_SUPER_MAGIC, EAGAIN, true, false},
                    LeaseCase{"SmbShareWithoutAnOplock", SMB_SUPER_MAGIC, EAGAIN, true, false},
                    LeaseCase{"Nfs4WithoutADelegation", NFS_SUPER_MAGIC, EAGAIN, true, false},
                    LeaseCase{"Nfs3RefusingLeases", NFS_SUPER_MAGIC, EINVAL, true, false},
                    LeaseCase{"CephWithoutACapability", CEPH_SUPER_MAGIC, EAGAIN, true, false},
                    LeaseCase{"ShareGrantingALease", SMB2_SUPER_MAGIC, 0, true, true},
                    // FUSE leases are the kernel's own, as on a local disk.
                    LeaseCase{"FuseWriterAtWork", FUSE_SUPER_MAGIC, EAGAIN, false, false},
                    LeaseCase{"FileSystemUnknownWriterAtWork", std::nullopt, EAGAIN, false, false}),
    test::ByName{});

} // namespace
} // namespace mv
