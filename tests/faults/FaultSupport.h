#pragma once

// Faults the tests impose from outside: a folder nobody may write to (also for root, who
// otherwise ignores permission bits), and another process holding a file open for writing.

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

// The names of the entries of a folder.
std::set<std::string> EntryNames(const std::filesystem::path& folder);

} // namespace mv::test
