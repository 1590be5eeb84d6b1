#include "platform/FileQuery.h"

#include "platform/Codec.h"

#include <algorithm>
#include <ctime>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace mv {
namespace {

struct SplitPath {
    std::string folder; // OS path of the folder, "." for a bare name
    std::string name;   // code page 932
};

SplitPath Split(const std::string& path) {
    const auto slash = LastSeparator(path);
    if (slash == std::string::npos) {
        return {".", path};
    }
    return {slash == 0 ? std::string(1, PathSeparator) : ToOsPath(path.substr(0, slash)).native(),
            path.substr(slash + 1)};
}

bool Matches(const std::string& pattern, std::size_t p, const std::string& name, std::size_t n) {
    while (p < pattern.size()) {
        if (pattern[p] == '*') {
            for (std::size_t k = n; k <= name.size();
                 k += (k < name.size() ? CharacterLength(name, k) : 1)) {
                if (Matches(pattern, p + 1, name, k)) {
                    return true;
                }
            }
            return false;
        }
        if (n >= name.size()) {
            return false;
        }
        const std::size_t nl = CharacterLength(name, n);
        if (pattern[p] == '?') {
            ++p;
        } else {
            const std::size_t pl = CharacterLength(pattern, p);
            if (pl != nl || pattern.compare(p, pl, name, n, nl) != 0) {
                return false;
            }
            p += pl;
        }
        n += nl;
    }
    return n == name.size();
}

struct Entry {
    std::string folded; // the name with letter case folded, for matching and ordering
    std::string name;   // code page 932
    std::string osPath; // as the system takes it
};

// The entries of a folder whose names code page 932 can hold, in the platform's listing
// order: by name with letter case ignored.
struct Listing {
    timespec modified{};
    std::vector<Entry> entries;
};

std::vector<Entry> ReadFolder(const std::string& osFolder) {
    std::vector<Entry> entries;
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
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.folded != b.folded ? a.folded < b.folded : a.name < b.name;
    });
    return entries;
}

// A race probe asks for sixty names in a folder that may hold tens of thousands of files, so a
// listing is kept while the folder is unchanged. A listing of a folder changed within the last
// two seconds serves only the listing batch it was read in, since the folder's time stamp may
// not yet tell a change made in the same tick.
const std::vector<Entry>& ListFolder(const std::string& osFolder) {
    static std::string cachedFolder;
    static Listing cached;
    static bool cachedSettled = false;
    static unsigned cachedBatch = 0;
    static const std::vector<Entry> none;
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

struct FoldedOrder {
    bool operator()(const Entry& e, const std::string& folded) const { return e.folded < folded; }
    bool operator()(const std::string& folded, const Entry& e) const { return folded < e.folded; }
};

// The entries whose folded name is `folded`, in listing order.
std::pair<std::vector<Entry>::const_iterator, std::vector<Entry>::const_iterator>
EntriesNamed(const std::vector<Entry>& entries, const std::string& folded) {
    return std::equal_range(entries.begin(), entries.end(), folded, FoldedOrder{});
}

bool IsRegularFile(const std::string& osPath) {
    struct stat st {};
    return ::stat(osPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The entry named path: the exact name, else the first whose name differs only in case.
// `accept` decides which kinds of entry count.
template <typename Accept>
std::optional<std::string> Resolve(const std::string& path, Accept accept) {
    const std::string exact = ToOsPath(path).native();
    if (accept(exact)) {
        return exact;
    }
    const SplitPath parts = Split(path);
    if (parts.name.empty()) {
        return std::nullopt;
    }
    const auto [first, last] = EntriesNamed(ListFolder(parts.folder), FoldAsciiCase(parts.name));
    for (auto entry = first; entry != last; ++entry) {
        if (accept(entry->osPath)) {
            return entry->osPath;
        }
    }
    return std::nullopt;
}

} // namespace

std::filesystem::path ToOsPath(const std::string& path) {
    return SjisToUtf8(path);
}

std::optional<std::string> FromOsPath(const std::filesystem::path& osPath) {
    return TryUtf8ToSjis(osPath.native());
}

std::optional<std::filesystem::path> FindFile(const std::string& path) {
    return Resolve(path, IsRegularFile);
}

bool PatternFileExists(const std::string& pattern) {
    const SplitPath parts = Split(pattern);
    const std::string wanted = FoldAsciiCase(parts.name);
    for (const auto& entry : ListFolder(parts.folder)) {
        if (Matches(wanted, 0, entry.folded, 0)) {
            return IsRegularFile(entry.osPath);
        }
    }
    return false;
}

std::optional<std::uint64_t> FileSizeByName(const std::string& path) {
    const auto found = Resolve(path, [](const std::string& osPath) {
        struct stat st {};
        return ::stat(osPath.c_str(), &st) == 0;
    });
    if (!found) {
        return std::nullopt;
    }
    struct stat st {};
    if (::stat(found->c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return 0;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

std::filesystem::path ExecutableOsPath() {
    std::string buffer(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    buffer.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return buffer;
}

} // namespace mv
