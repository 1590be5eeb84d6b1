#pragma once

// File-system queries on code page 932 paths. Names match as on the platform the data comes
// from: the exact name first, then without regard to the case of ASCII letters. A folder
// never counts as a file.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mv {

// The platform's path separator.
#ifdef _WIN32
inline constexpr char PathSeparator = '\\';
#else
inline constexpr char PathSeparator = '/';
#endif

// Where the last separator of a code page 932 path is, npos when there is none. A second byte
// of a double-byte character may equal "\" and is no separator.
std::size_t LastSeparator(std::string_view path);

// The path as the operating system takes it (UTF-8 bytes on POSIX, UTF-16 on Windows).
std::filesystem::path ToOsPath(const std::string& path);

// An operating-system path as a code page 932 text; nothing when code page 932 cannot hold it
// exactly (a text that would name another path once converted back).
std::optional<std::string> FromOsPath(const std::filesystem::path& osPath);

// The operating-system path of the regular file that path names, if there is one.
std::optional<std::filesystem::path> FindFile(const std::string& path);

// True when a regular file (not a folder) is named path.
bool FileExists(const std::string& path);

// While one lives, a folder listed for a case-insensitive match is listed once for all the
// names asked, even when it changed within the last seconds: the sixty names of a race probe
// are asked at one moment, and a folder of tens of thousands of files must not be read sixty
// times. A listing read inside it is not kept beyond it unless the folder had settled.
class ListingBatch {
public:
    ListingBatch();
    ~ListingBatch();
    ListingBatch(const ListingBatch&) = delete;
    ListingBatch& operator=(const ListingBatch&) = delete;

    // The number of the open batch, 0 when none is open; each outermost batch has its own.
    static unsigned Current();
};

// True when the first entry matching the pattern is a regular file. The pattern's last
// component may hold "?" (one character) and "*" (any run); entries are taken in the
// platform's order (by name, letter case ignored).
bool PatternFileExists(const std::string& pattern);

// The size of the entry that a directory search for the exact path finds (folders included).
std::optional<std::uint64_t> FileSizeByName(const std::string& path);

// What tells one state of a file from another where no notice of its change comes.
struct FileStamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the regular file that path names, if there is one.
std::optional<FileStamp> StampOf(const std::string& path);

// The full path of the running executable as the system gives it; empty when it cannot
// tell. The viewer's own files lie beside it, whatever characters its folder's name holds.
std::filesystem::path ExecutableOsPath();

// The user's documents folder, where files the user saves start; the home folder where the
// system names none that exists.
std::filesystem::path DocumentsFolder();

// An operating-system path as messages show it: code page 932, with "?" for each character
// that code page 932 cannot hold.
std::string ShownPath(const std::filesystem::path& osPath);

} // namespace mv
