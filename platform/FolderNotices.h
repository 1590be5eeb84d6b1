#pragma once

// Notices of what changes in one folder (names written, created, removed or renamed), for an
// event loop to wait on: nothing runs in the background, the notices wait in the system until
// they are taken. Where the system would not hear every change (a network folder, written by
// other machines), no watch is had and the caller compares file stamps instead.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mv {

class FolderNotices {
public:
    FolderNotices();
    ~FolderNotices();
    FolderNotices(FolderNotices&&) noexcept;
    FolderNotices& operator=(FolderNotices&&) noexcept;

    // Starts hearing of the code page 932 folder; false where no watch that hears every
    // change can be had.
    bool Start(const std::string& folder);
    void Stop();
    bool Active() const;

    // What the event loop waits on: a descriptor that turns readable (POSIX) or an event
    // handle that is signalled (Windows), as an integer; -1 when not active.
    std::intptr_t Handle() const;

    // The names changed since the last call (code page 932 file names, possibly with
    // repeats); nothing when the watch lost track of the folder and anything may have
    // changed. It then watches anew where it can.
    std::optional<std::vector<std::string>> Take();

private:
    struct System;
    std::unique_ptr<System> system_;
    std::string folder_;
};

} // namespace mv
