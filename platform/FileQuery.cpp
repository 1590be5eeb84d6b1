#include "platform/FileQuery.h"

#include "platform/Codec.h"

namespace mv {

std::size_t LastSeparator(std::string_view path) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); i += CharacterLength(path, i)) {
        if (path[i] == PathSeparator) {
            last = i;
        }
    }
    return last;
}

bool FileExists(const std::string& path) {
    return FindFile(path).has_value();
}

std::optional<FileStamp> StampOf(const std::string& path) {
    const auto found = FindFile(path);
    if (!found) {
        return std::nullopt;
    }
    std::error_code sizeError, timeError;
    FileStamp stamp{std::filesystem::file_size(*found, sizeError),
                    std::filesystem::last_write_time(*found, timeError)};
    if (sizeError || timeError) {
        return std::nullopt;
    }
    return stamp;
}

namespace {
int openBatches = 0;
unsigned lastBatch = 0;
} // namespace

ListingBatch::ListingBatch() {
    // Nested batches are one: the outermost decides when a listing stops serving.
    if (openBatches++ == 0) {
        ++lastBatch;
    }
}

ListingBatch::~ListingBatch() {
    --openBatches;
}

unsigned ListingBatch::Current() {
    return openBatches > 0 ? lastBatch : 0;
}

} // namespace mv
