#include "platform/TextFile.h"

#include "platform/DiskFile.h"
#include "platform/Failure.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace mv {

namespace {

// Where the first CR, LF or NUL stands. A data file's line 1 runs to kilobytes: each byte is
// looked for with the library's block search, each search no further than the best so far.
std::size_t LineEnd(std::string_view bytes, std::size_t from) {
    if (from >= bytes.size()) {
        return std::string_view::npos;
    }
    const char* start = bytes.data() + from;
    std::size_t length = bytes.size() - from;
    const char* found = nullptr;
    for (const char c : {'\n', '\r', '\0'}) {
        if (const void* at = std::memchr(start, c, length)) {
            found = static_cast<const char*>(at);
            length = static_cast<std::size_t>(found - start);
        }
    }
    return found == nullptr ? std::string_view::npos
                            : static_cast<std::size_t>(found - bytes.data());
}

// Calls `line` with each line of the bytes, as SplitLines cuts them.
template <typename Line>
void ForEachLine(std::string_view bytes, Line line) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto end = LineEnd(bytes, start);
        if (end == std::string_view::npos) {
            line(bytes.substr(start));
            break;
        }
        if (bytes[end] == '\0') {
            // The text ends at a NUL byte.
            if (end > start) {
                line(bytes.substr(start, end - start));
            }
            break;
        }
        line(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') {
            ++start;
        }
    }
}

} // namespace

Lines SplitLines(std::string_view bytes) {
    Lines lines;
    ForEachLine(bytes, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

TextLines SplitTextLines(std::string_view bytes) {
    TextLines lines;
    lines.reserve(bytes.size());
    ForEachLine(bytes, [&](std::string_view line) { lines.push_back(line); });
    return lines;
}

bool EndsALine(std::string_view bytes) {
    return LineEnd(bytes, 0) != std::string_view::npos;
}

Lines FirstLineOf(std::string_view bytes) {
    const auto end = LineEnd(bytes, 0);
    return SplitLines(bytes.substr(0, end == std::string_view::npos ? end : end + 1));
}

namespace {

// What the open read-once scope keeps: line 1 of each data file by its path, and the bytes of
// each file written by its OS path.
struct ReadOnceFiles {
    std::unordered_map<std::string, Lines> firstLines;
    std::unordered_map<std::filesystem::path::string_type, std::string> written;
    bool holdWrites = false;
    std::vector<std::filesystem::path> heldOrder; // each held file once, first write first
};

std::unique_ptr<ReadOnceFiles> openScope;

} // namespace

ReadOnceScope::ReadOnceScope() : outermost_(openScope == nullptr) {
    if (outermost_) {
        openScope = std::make_unique<ReadOnceFiles>();
    }
}

ReadOnceScope::~ReadOnceScope() {
    if (outermost_) {
        openScope.reset();
    }
}

Lines ReadFirstLine(const std::string& path) {
    if (openScope == nullptr) {
        return FirstLineOf(DiskReadFirstLine(path));
    }
    if (const auto kept = openScope->firstLines.find(path); kept != openScope->firstLines.end()) {
        return kept->second;
    }
    Lines line = FirstLineOf(DiskReadFirstLine(path));
    openScope->firstLines.emplace(path, line);
    return line;
}

namespace {

template <typename Split>
auto ReadSplit(const std::filesystem::path& osPath, Split split) {
    if (openScope != nullptr) {
        if (const auto kept = openScope->written.find(osPath.native());
            kept != openScope->written.end()) {
            return split(kept->second);
        }
    }
    return split(DiskReadAll(osPath));
}

} // namespace

Lines ReadLines(const std::filesystem::path& osPath) {
    return ReadSplit(osPath, SplitLines);
}

TextLines ReadTextLines(const std::filesystem::path& osPath) {
    return ReadSplit(osPath, SplitTextLines);
}

namespace {

template <typename Line>
void WriteAllLines(const std::filesystem::path& osPath, const std::vector<Line>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) {
        size += line.size() + 2;
    }
    std::string bytes(size, '\0');
    char* out = bytes.data();
    for (const auto& line : lines) {
        if (!line.empty()) {
            std::memcpy(out, line.data(), line.size());
            out += line.size();
        }
        *out++ = '\r';
        *out++ = '\n';
    }
    if (openScope == nullptr) {
        DiskWrite(osPath, bytes);
        return;
    }
    if (openScope->holdWrites) {
        openScope->written.insert_or_assign(osPath.native(), std::move(bytes));
        auto& order = openScope->heldOrder;
        if (std::find(order.begin(), order.end(), osPath) == order.end()) {
            order.push_back(osPath);
        }
        return;
    }
    // What a failed write left on the disk is not known; the file is read from the disk again.
    openScope->written.erase(osPath.native());
    DiskWrite(osPath, bytes);
    openScope->written.emplace(osPath.native(), std::move(bytes));
}

} // namespace

void WriteLines(const std::filesystem::path& osPath, const Lines& lines) {
    WriteAllLines(osPath, lines);
}

void WriteLineViews(const std::filesystem::path& osPath,
                    const std::vector<std::string_view>& lines) {
    WriteAllLines(osPath, lines);
}

HeldWrites::HeldWrites() {
    openScope->holdWrites = true;
}

// What was not committed never reached the disk, so no later read may find it.
HeldWrites::~HeldWrites() {
    openScope->holdWrites = false;
    for (const std::filesystem::path& osPath : openScope->heldOrder) {
        openScope->written.erase(osPath.native());
    }
    openScope->heldOrder.clear();
}

void HeldWrites::Commit() {
    for (const std::filesystem::path& osPath : openScope->heldOrder) {
        DiskWrite(osPath, openScope->written.at(osPath.native()));
    }
    openScope->heldOrder.clear();
}

const std::string& LineAt(const Lines& lines, std::size_t index) {
    if (index >= lines.size()) {
        throw Failure::IndexOutOfRange(static_cast<long long>(index));
    }
    return lines[index];
}

namespace {

// A temporary file of a replacement: the target's name, ".~", six characters, ".tmp"; a name
// no one gives a file of their own.
constexpr std::string_view TemporaryStart = ".~";
constexpr std::string_view TemporaryEnd = ".tmp";
constexpr std::size_t UniqueLength = 6;

} // namespace

std::filesystem::path TemporaryName(const std::filesystem::path& target, std::string_view unique) {
    std::filesystem::path name = target;
    name += std::string(TemporaryStart);
    name += std::string(unique);
    name += std::string(TemporaryEnd);
    return name;
}

bool IsTemporaryOf(const std::filesystem::path& name, const std::filesystem::path& target) {
    const auto n = name.filename().native();
    auto start = target.filename().native();
    start += std::filesystem::path(std::string(TemporaryStart)).native();
    const auto end = std::filesystem::path(std::string(TemporaryEnd)).native();
    return n.size() == start.size() + UniqueLength + end.size() && n.starts_with(start) &&
           n.ends_with(end);
}

void RemoveLeftoverTemporaries(const std::filesystem::path& osPath) {
    const std::filesystem::path target = FollowLinks(osPath);
    std::error_code error;
    const std::filesystem::path folder = target.parent_path();
    std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::error_code ignored;
        if (IsTemporaryOf(entries->path(), target) && entries->is_regular_file(ignored)) {
            std::filesystem::remove(entries->path(), ignored);
        }
    }
}

} // namespace mv
