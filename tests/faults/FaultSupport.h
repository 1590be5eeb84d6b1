#pragma once

// Faults the tests impose from outside: a folder nobody may write to (also for root, who
// otherwise ignores permission bits), a file that gets no read lease, and another process
// holding a file open for writing or appending to it.

#include "platform/posix/SystemCalls.h"

#include <filesystem>
#include <set>
#include <string>
#include <sys/types.h>

namespace mv::test {

// Makes a folder read-only for this process until destroyed: its permission bits lose every
// write bit, and the capabilities that let root write anyway are dropped meanwhile.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::filesystem::path folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // True when creating a file in the folder really fails.
    bool Effective() const;

private:
    std::filesystem::path folder_;
    std::filesystem::perms before_;
    bool capabilitiesDropped_ = false;
};

// A file on which this process can take no read lease, as on a network file system or for a
// file of another user: the file is given to another owner and the capability that grants
// leases anyway is dropped until destroyed.
class LeaseRefused {
public:
    explicit LeaseRefused(const std::filesystem::path& file);
    ~LeaseRefused();
    LeaseRefused(const LeaseRefused&) = delete;
    LeaseRefused& operator=(const LeaseRefused&) = delete;

    // True when a lease on the file is really refused.
    bool Effective() const { return effective_; }

private:
    bool dropped_ = false;
    bool effective_ = false;
};

// Another process with a file open for writing, as the betting software has while it writes;
// it closes the file and ends when destroyed.
class WriterHolding {
public:
    explicit WriterHolding(const std::filesystem::path& file);
    ~WriterHolding();
    WriterHolding(const WriterHolding&) = delete;
    WriterHolding& operator=(const WriterHolding&) = delete;

private:
    pid_t child_ = -1;
    int release_ = -1; // closing it lets the child end
};

// Another process appending to a file without pause, as the betting software does while it
// writes; it is stopped when destroyed.
class Appender {
public:
    explicit Appender(const std::filesystem::path& file);
    ~Appender();
    Appender(const Appender&) = delete;
    Appender& operator=(const Appender&) = delete;

private:
    pid_t child_ = -1;
};

// The system's calls as on an SMB share whose server grants no oplocks: every read lease is
// refused with EAGAIN, whether or not anyone writes.
SystemCalls ShareWithoutOplocks();

// The names of the entries of a folder.
std::set<std::string> EntryNames(const std::filesystem::path& folder);

} // namespace mv::test
