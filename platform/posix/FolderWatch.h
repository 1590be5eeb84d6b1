#pragma once

// Tells a kept listing what changed in its folder since it was read, so that a folder of tens
// of thousands of names is read once rather than after every file the betting software writes.
// Nothing runs in the background: the changes wait in the kernel until they are asked for.

#include <optional>
#include <string>
#include <vector>

namespace mv {

class FolderWatch {
public:
    FolderWatch() = default;
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Starts watching; false where no watch can be had, or where one would not hear of every
    // change (network and FUSE file systems, where other machines write unseen).
    // With writesToo, a file written in place (modified, or closed after writing) counts as a
    // change too, reported as added.
    bool Start(const std::string& osFolder, bool writesToo = false);
    void Stop();
    bool Active() const { return fd_ >= 0; }
    // Readable when changes wait; -1 when not active.
    int fd() const { return fd_; }

    struct Change {
        bool added;         // created or moved in; otherwise removed or moved out
        std::string osName; // the entry's name as the system gives it
    };
    // The changes since the last call, oldest first; nothing when the watch has lost track
    // (its queue overflowed, the folder was removed, moved or unmounted), and then it stops.
    std::optional<std::vector<Change>> Changes();

private:
    int fd_ = -1;
};

} // namespace mv
