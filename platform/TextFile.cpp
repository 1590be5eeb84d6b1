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

void WriteLines(const std::string& path, const Lines& lines, Durability durability) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    if (!ReplaceFileContent(path, bytes, durability)) {
        throw Failure::CannotCreate(path);
    }
}

const std::string& LineAt(const Lines& lines, std::size_t index) {
    if (index >= lines.size()) {
        throw Failure::IndexOutOfRange(static_cast<long long>(index));
    }
    return lines[index];
}

} // namespace mv
