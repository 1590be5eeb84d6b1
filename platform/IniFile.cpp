#include "platform/IniFile.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "platform/FileQuery.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>

// A line is a section line when its first non-blank character is "[" (the name runs to the
// first "]", or to the end of a line without one), a comment when it is ";", and a key line
// when it holds "=". Keys before the first section and all other lines are kept but never
// matched. Duplicate sections count as one: the first line of a key wins, and a new key goes
// into the first of them. A new section is appended at the end of the file, after one blank
// line unless the file is empty or already ends with a blank line.
//
// Second bytes of double-byte characters lie in 0x40..0xFC, so of the bytes that shape a line
// only "]" can be one; the section scan steps over whole characters to find the real one.

namespace mv {
namespace {

// What a read returns at most, as the platform's profile reader with a 2048-byte buffer.
constexpr std::size_t MaxValueBytes = 2047;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimEnd(std::string_view s) {
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    return TrimEnd(s);
}

// ASCII letters match in either case; both bytes of a double-byte character match exactly.
bool SameName(std::string_view a, std::string_view b) {
    return FoldAsciiCase(a) == FoldAsciiCase(b);
}

enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    std::string_view name;
    std::size_t valueStart = 0; // key lines: first byte after the "="
};

ParsedLine Parse(std::string_view line) {
    const std::string_view body = Trim(line);
    if (body.empty() || body.front() == ';') {
        return {};
    }
    if (body.front() == '[') {
        std::size_t end = 1;
        while (end < body.size() && body[end] != ']') {
            end += CharacterLength(body, end);
        }
        return {LineKind::Section, Trim(body.substr(1, std::min(end, body.size()) - 1)), 0};
    }
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    return {LineKind::Key, Trim(line.substr(0, equals)), equals + 1};
}

// Where a key is, or where it would go: after the last key line of the first section of
// that name, or after its section line when it has no key.
struct Location {
    std::optional<std::size_t> keyLine;
    std::optional<std::size_t> insertAfter;
};

Location Find(const Lines& lines, const std::string& section, const std::string& key) {
    Location at;
    bool inSection = false;
    bool inFirstSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ParsedLine line = Parse(lines[i]);
        if (line.kind == LineKind::Section) {
            inSection = SameName(line.name, section);
            inFirstSection = inSection && !at.insertAfter;
            if (inFirstSection) {
                at.insertAfter = i;
            }
        } else if (line.kind == LineKind::Key && inSection) {
            if (SameName(line.name, key)) {
                at.keyLine = i;
                return at;
            }
            if (inFirstSection) {
                at.insertAfter = i;
            }
        }
    }
    return at;
}

// Cuts to MaxValueBytes without splitting a double-byte character.
std::string Cut(std::string_view value) {
    std::size_t end = 0;
    while (end < value.size() && end + CharacterLength(value, end) <= MaxValueBytes) {
        end += CharacterLength(value, end);
    }
    return std::string(value.substr(0, end));
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The bytes of a regular file; nothing when it is absent or cannot be read.
std::optional<std::string> ReadBytes(const std::filesystem::path& osPath) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(osPath, error)) {
        return std::nullopt;
    }
    std::ifstream in(osPath, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.is_open() || in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

// Line ends as SplitLines sees them, but a NUL byte is kept: a write must give back every
// byte of the lines it does not change.
Lines SplitKeepingEveryByte(std::string_view bytes) {
    Lines lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
        if (end < bytes.size() && bytes[end] == '\r' && start < bytes.size() &&
            bytes[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

// A file that starts with a UTF-16 byte order mark holds two bytes per character.
bool IsUtf16(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

// A section or key that would not be found again as written (a line break, "]" in a section,
// "=" in a key, blanks around a name) must not reach the file.
bool Storable(const std::string& sectionLine, const std::string& section,
              const std::string& keyLine, const std::string& key) {
    if ((sectionLine + keyLine).find_first_of("\r\n") != std::string::npos) {
        return false;
    }
    const ParsedLine s = Parse(sectionLine);
    const ParsedLine k = Parse(keyLine);
    return s.kind == LineKind::Section && s.name == section && k.kind == LineKind::Key &&
           k.name == key;
}

} // namespace

std::string ReadProfileString(const std::filesystem::path& iniPath, const std::string& section,
                              const std::string& key, const std::string& defaultValue) {
    if (const auto bytes = ReadBytes(iniPath)) {
        const Lines lines = SplitKeepingEveryByte(*bytes);
        if (const auto at = Find(lines, section, key).keyLine) {
            const std::string_view line = lines[*at];
            return Cut(Unquote(Trim(line.substr(Parse(line).valueStart))));
        }
    }
    return Cut(TrimEnd(defaultValue));
}

void WriteProfileString(const std::filesystem::path& iniPath, const std::string& section,
                        const std::string& key, const std::string& value) {
    const std::string sectionLine = '[' + section + ']';
    const std::string keyLine = key + '=' + value;
    if (!Storable(sectionLine, section, keyLine, key)) {
        throw Failure::CannotWrite(ShownPath(iniPath));
    }
    const std::filesystem::path target = FollowLinks(iniPath);
    const auto old = ReadBytes(target);
    std::error_code error;
    if ((!old && std::filesystem::symlink_status(target, error).type() !=
                     std::filesystem::file_type::not_found) ||
        (old && IsUtf16(*old))) {
        // Something is there that cannot be read, or read as lines: replacing it would lose it.
        throw Failure::CannotWrite(ShownPath(iniPath));
    }
    Lines lines = SplitKeepingEveryByte(old.value_or(""));
    const Location at = Find(lines, section, key);
    if (at.keyLine) {
        // Only the value changes; the key's spelling and the blanks after "=" stay, unless the
        // value brings blanks of its own (else each write of it would add them again).
        std::string& line = lines[*at.keyLine];
        std::size_t start = Parse(line).valueStart;
        while (start < line.size() && IsBlank(line[start]) &&
               (value.empty() || !IsBlank(value.front()))) {
            ++start;
        }
        line = line.substr(0, start) + value;
    } else if (at.insertAfter) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*at.insertAfter + 1), keyLine);
    } else {
        if (!lines.empty() && !Trim(lines.back()).empty()) {
            lines.emplace_back();
        }
        lines.push_back(sectionLine);
        lines.push_back(keyLine);
    }
    std::string content;
    for (const auto& line : lines) {
        content += line + "\r\n";
    }
    // Writing what is already there would only wear the disk.
    if (old && content == *old) {
        return;
    }
    if (!ReplaceFileContent(target, content)) {
        throw Failure::CannotWrite(ShownPath(iniPath));
    }
}

} // namespace mv
