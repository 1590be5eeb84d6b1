#include "platform/Codec.h"
#include "platform/FileQuery.h"
#include "platform/NameMatch.h"
#include "platform/posix/FileLookup.h"
#include "platform/posix/FolderListing.h"

namespace mv {

// As a directory search: the first entry in listing order decides.
bool PatternFileExists(const std::string& pattern) {
    const SplitPath parts = Split(pattern);
    const std::string wanted = FoldAsciiCase(parts.name);
    for (const ListedEntry& entry : ListFolder(parts.folder)) {
        if (MatchesPattern(wanted, entry.folded)) {
            return IsRegularFile(entry.osPath);
        }
    }
    return false;
}

} // namespace mv
