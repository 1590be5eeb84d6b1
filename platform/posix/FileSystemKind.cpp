#include "platform/posix/FileSystemKind.h"

#include <linux/magic.h>

namespace mv {

FileSystemKind KindOfFileSystem(unsigned long type) {
    switch (type) {
    case FUSE_SUPER_MAGIC:
        return FileSystemKind::Fuse;
    case NFS_SUPER_MAGIC:
    case SMB_SUPER_MAGIC:
    case CIFS_SUPER_MAGIC:
    case SMB2_SUPER_MAGIC:
    case CODA_SUPER_MAGIC:
    case AFS_SUPER_MAGIC:
    case AFS_FS_MAGIC:
    case V9FS_MAGIC:
    case CEPH_SUPER_MAGIC:
        return FileSystemKind::Network;
    default:
        return FileSystemKind::Local;
    }
}

} // namespace mv
