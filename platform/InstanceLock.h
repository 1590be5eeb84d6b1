#pragma once

// One viewer per program folder. Two viewers started from the same folder would share one set
// of caches, each overwriting what the other shows; so the first holds the folder's lock for
// its whole run, and a later one that finds it held hands over to it and ends, or waits for it
// while that viewer is ending.

#include <filesystem>
#include <string>

namespace mv {

class InstanceLock {
public:
    // Takes the lock of the program folder (a file "Q-MvRCV98.lock" in it on POSIX, a named
    // mutex owned by this thread on Windows); the system releases it when the viewer ends,
    // however it ends.
    explicit InstanceLock(const std::filesystem::path& programFolder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when another viewer of the folder holds it. Where no lock can be had at all (a
    // folder in which nothing can be made), no viewer is kept from running.
    bool heldElsewhere() const { return heldElsewhere_; }

    // Tries again to take a lock held elsewhere; true once this viewer holds it.
    bool Take();

    // Lets the lock go before the viewer has ended.
    void Release();

private:
#ifdef _WIN32
    void* mutex_ = nullptr;
#else
    int fd_ = -1;
#endif
    bool heldElsewhere_ = false;
};

// The folder's path as the system spells it, so that every path of one folder gives the same.
std::filesystem::path::string_type NormalFolder(const std::filesystem::path& folder);

// The name by which the viewer of a program folder is found by a later start (its local
// signal's name, its mutex's name): the same for every spelling of the folder's path, "Q-MvRCV98-"
// and sixteen hexadecimal digits.
std::string InstanceName(const std::filesystem::path& programFolder);

} // namespace mv
