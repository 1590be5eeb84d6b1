#include "platform/posix/FolderListing.h"

#include "platform/Codec.h"
#include "platform/FileQuery.h"
#include "platform/posix/FolderWatch.h"

#include <array>
#include <ctime>
#include <dirent.h>
#include <sys/stat.h>

namespace mv {
namespace {

std::optional<ListedEntry> Entry(const std::string& osFolder, const std::string& osName) {
    auto name = TryUtf8ToSjis(osName);
    if (!name) {
        return std::nullopt;
    }
    std::string folded = FoldAsciiCase(*name);
    return ListedEntry{std::move(folded), std::move(*name), osFolder + PathSeparator + osName};
}

Listing ReadFolder(const std::string& osFolder) {
    Listing entries;
    DIR* dir = ::opendir(osFolder.c_str());
    if (dir == nullptr) {
        return entries;
    }
    while (const dirent* e = ::readdir(dir)) {
        const std::string osName = e->d_name;
        if (osName == "." || osName == "..") {
            continue;
        }
        if (auto entry = Entry(osFolder, osName)) {
            entries.insert(std::move(*entry));
        }
    }
    ::closedir(dir);
    return entries;
}

// One folder's listing and what tells whether it still holds.
struct KeptListing {
    std::string folder;
    dev_t device = 0;
    ino_t inode = 0;
    timespec modified{};
    bool settled = false;
    unsigned batch = 0;
    unsigned long long lastUse = 0;
    FolderWatch watch;
    Listing entries;
};

bool SameFolder(const KeptListing& kept, const struct stat& st) {
    return kept.device == st.st_dev && kept.inode == st.st_ino;
}

// Brings a watched listing up to date; false when the watch lost track of the folder.
bool ApplyChanges(KeptListing& kept) {
    const auto changes = kept.watch.Changes();
    if (!changes) {
        return false;
    }
    for (const FolderWatch::Change& change : *changes) {
        auto entry = Entry(kept.folder, change.osName);
        if (!entry) {
            continue;
        }
        if (change.added) {
            kept.entries.insert(std::move(*entry));
        } else {
            kept.entries.erase(*entry);
        }
    }
    return true;
}

// Without a watch, a listing of a folder changed within the last two seconds serves only the
// listing batch it was read in, since the folder's time stamp may not yet tell a change made
// in the same tick.
bool StillHolds(const KeptListing& kept, const struct stat& st, unsigned batch) {
    return (kept.settled || (batch != 0 && kept.batch == batch)) &&
           kept.modified.tv_sec == st.st_mtim.tv_sec && kept.modified.tv_nsec == st.st_mtim.tv_nsec;
}

} // namespace

SplitPath Split(const std::string& path) {
    const auto slash = LastSeparator(path);
    if (slash == std::string::npos) {
        return {".", path};
    }
    return {slash == 0 ? std::string(1, PathSeparator) : ToOsPath(path.substr(0, slash)).native(),
            path.substr(slash + 1)};
}

// A race probe asks for sixty names in a folder that may hold tens of thousands of files, so
// listings of the last few folders asked are kept. Where the system tells of every change, a
// watch keeps a listing current and the folder is read once; elsewhere it is read again
// whenever its time stamp says it changed.
const Listing& ListFolder(const std::string& osFolder) {
    static std::array<KeptListing, 4> kept;
    static unsigned long long uses = 0;
    static const Listing none;
    struct stat st {};
    if (::stat(osFolder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return none;
    }
    const unsigned batch = ListingBatch::Current();
    KeptListing* slot = &kept.front();
    for (KeptListing& k : kept) {
        if (k.folder == osFolder) {
            slot = &k;
            break;
        }
        if (k.lastUse < slot->lastUse) {
            slot = &k;
        }
    }
    slot->lastUse = ++uses;
    // The names of one batch are asked at one moment: the watch is asked once for them all.
    const bool batchSeen = batch != 0 && slot->batch == batch;
    if (slot->folder == osFolder && SameFolder(*slot, st) &&
        (slot->watch.Active() ? batchSeen || ApplyChanges(*slot) : StillHolds(*slot, st, batch))) {
        slot->batch = batch;
        return slot->entries;
    }
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    slot->folder = osFolder;
    slot->device = st.st_dev;
    slot->inode = st.st_ino;
    slot->modified = st.st_mtim;
    slot->settled = now.tv_sec - st.st_mtim.tv_sec > 2;
    slot->batch = batch;
    // Watching before reading: a change made during the read is then applied after it.
    slot->watch.Start(osFolder);
    slot->entries = ReadFolder(osFolder);
    return slot->entries;
}

EntryRange EntriesNamed(const Listing& entries, const std::string& folded) {
    return entries.equal_range(std::string_view(folded));
}

} // namespace mv
