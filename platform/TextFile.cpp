#include "platform/TextFile.h"

#include "platform/Failure.h"

namespace mv {

Lines SplitLines(std::string_view bytes) {
    const auto nul = bytes.find('\0');
    if (nul != std::string_view::npos) {
        bytes = bytes.substr(0, nul);
    }
    Lines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
        if (bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

bool EndsALine(std::string_view bytes) {
    return bytes.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

Lines FirstLineOf(std::string_view bytes) {
    const auto end = bytes.find_first_of(std::string_view("\r\n\0", 3));
    return SplitLines(bytes.substr(0, end == std::string_view::npos ? end : end + 1));
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
