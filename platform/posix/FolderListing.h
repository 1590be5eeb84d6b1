#pragma once

// The entries of a folder as a case-insensitive lookup and a pattern search see them: the
// names code page 932 can hold, in the platform's listing order (by name, letter case
// ignored). A listing is kept, and kept current, while its folder stays the same folder.

#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace mv {

struct ListedEntry {
    std::string folded; // the name with letter case folded, for matching and ordering
    std::string name;   // code page 932
    std::string osPath; // as the system takes it
};

// Listing order; a folded name alone finds every entry spelled that way.
struct ListingOrder {
    using is_transparent = void;
    bool operator()(const ListedEntry& a, const ListedEntry& b) const {
        return a.folded != b.folded ? a.folded < b.folded : a.name < b.name;
    }
    bool operator()(const ListedEntry& e, std::string_view folded) const {
        return e.folded < folded;
    }
    bool operator()(std::string_view folded, const ListedEntry& e) const {
        return folded < e.folded;
    }
};

// A tree rather than an array: a change to a folder of tens of thousands of names costs one
// insertion, not a move of every name after it.
using Listing = std::set<ListedEntry, ListingOrder>;

// A path split at its last separator.
struct SplitPath {
    std::string folder; // OS path of the folder, "." for a bare name
    std::string name;   // code page 932
};
SplitPath Split(const std::string& path);

// The listing of a folder (empty when it is no folder or cannot be read).
const Listing& ListFolder(const std::string& osFolder);

// The entries whose folded name is `folded`, in listing order.
using EntryRange = std::pair<Listing::const_iterator, Listing::const_iterator>;
EntryRange EntriesNamed(const Listing& entries, const std::string& folded);

} // namespace mv
