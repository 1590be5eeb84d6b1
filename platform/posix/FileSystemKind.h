#pragma once

// What the system can tell about a file system's files from this machine alone.

namespace mv {

enum class FileSystemKind {
    // The kernel sees every write to it, and answers read leases itself.
    Local,
    // FUSE: the kernel answers read leases as for a local file system, but a FUSE client of a
    // remote store (sshfs, a share) writes what other machines wrote unseen by a folder watch.
    Fuse,
    // Its own client answers read leases and folder watches, and hears little of other
    // machines: a refused lease says nothing about writers, a watch stays silent.
    Network,
};

// The kind of the file system with the given statfs type; an unknown type counts as local.
FileSystemKind KindOfFileSystem(unsigned long type);

} // namespace mv
