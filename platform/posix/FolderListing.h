#pragma once

// The entries of a folder as a case-insensitive lookup and a pattern search see them: the
// names code page 932 can hold, in the platform's listing order (by name, letter case
// ignored). A listing is kept while its folder is unchanged.

#include <string>
#include <utility>
#include <vector>

namespace mv {

struct ListedEntry {
    std::string folded; // the name with letter case folded, for matching and ordering
    std::string name;   // code page 932
    std::string osPath; // as the system takes it
};

// A path split at its last separator.
struct SplitPath {
    std::string folder; // OS path of the folder, "." for a bare name
    std::string name;   // code page 932
};
SplitPath Split(const std::string& path);

// The listing of a folder (empty when it is no folder or cannot be read).
const std::vector<ListedEntry>& ListFolder(const std::string& osFolder);

// The entries whose folded name is `folded`, in listing order.
using EntryRange =
    std::pair<std::vector<ListedEntry>::const_iterator, std::vector<ListedEntry>::const_iterator>;
EntryRange EntriesNamed(const std::vector<ListedEntry>& entries, const std::string& folded);

} // namespace mv
