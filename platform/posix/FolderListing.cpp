#include "platform/posix/FolderListing.h"

#include "platform/Codec.h"
#include "platform/FileQuery.h"

#include <algorithm>
#include <ctime>
#include <dirent.h>
#include <sys/stat.h>

namespace mv {
namespace {

struct Listing {
    timespec modified{};
    std::vector<ListedEntry> entries;
};

std::vector<ListedEntry> ReadFolder(const std::string& osFolder) {
    std::vector<ListedEntry> entries;
    DIR* dir = ::opendir(osFolder.c_str());
    if (dir == nullptr) {
        return entries;
    }
    while (const dirent* e = ::readdir(dir)) {
        const std::string osName = e->d_name;
        if (osName == "." || osName == "..") {
            continue;
        }
        if (auto name = TryUtf8ToSjis(osName)) {
            entries.push_back({FoldAsciiCase(*name), *name, osFolder + PathSeparator + osName});
        }
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const ListedEntry& a, const ListedEntry& b) {
        return a.folded != b.folded ? a.folded < b.folded : a.name < b.name;
    });
    return entries;
}

struct FoldedOrder {
    bool operator()(const ListedEntry& e, const std::string& folded) const {
        return e.folded < folded;
    }
    bool operator()(const std::string& folded, const ListedEntry& e) const {
        return folded < e.folded;
    }
};

} // namespace

SplitPath Split(const std::string& path) {
    const auto slash = LastSeparator(path);
    if (slash == std::string::npos) {
        return {".", path};
    }
    return {slash == 0 ? std::string(1, PathSeparator) : ToOsPath(path.substr(0, slash)).native(),
            path.substr(slash + 1)};
}

// A race probe asks for sixty names in a folder that may hold tens of thousands of files, so a
// listing is kept while the folder is unchanged. A listing of a folder changed within the last
// two seconds serves only the listing batch it was read in, since the folder's time stamp may
// not yet tell a change made in the same tick.
const std::vector<ListedEntry>& ListFolder(const std::string& osFolder) {
    static std::string cachedFolder;
    static Listing cached;
    static bool cachedSettled = false;
    static unsigned cachedBatch = 0;
    static const std::vector<ListedEntry> none;
    struct stat st {};
    if (::stat(osFolder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        return none;
    }
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const bool settled = now.tv_sec - st.st_mtim.tv_sec > 2;
    const unsigned batch = ListingBatch::Current();
    const bool unchanged = cachedFolder == osFolder &&
                           (cachedSettled || (batch != 0 && cachedBatch == batch)) &&
                           cached.modified.tv_sec == st.st_mtim.tv_sec &&
                           cached.modified.tv_nsec == st.st_mtim.tv_nsec;
    if (!unchanged) {
        cached = {st.st_mtim, ReadFolder(osFolder)};
        cachedFolder = osFolder;
        cachedSettled = settled;
        cachedBatch = batch;
    }
    return cached.entries;
}

EntryRange EntriesNamed(const std::vector<ListedEntry>& entries, const std::string& folded) {
    return std::equal_range(entries.begin(), entries.end(), folded, FoldedOrder{});
}

} // namespace mv
