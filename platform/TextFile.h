#pragma once

// Text files as lists of code page 932 lines. The betting software's files are named by code
// page 932 paths and found by their exact name first and then without regard to letter case;
// the viewer's own files, next to its executable, by the path the system gave.

#include "platform/TextLines.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mv {

using Lines = std::vector<std::string>;

// A line ends at CR, at LF or at CR LF; a final break adds no empty line; everything after a
// NUL byte is ignored; an empty text has no line.
Lines SplitLines(std::string_view bytes);
TextLines SplitTextLines(std::string_view bytes);

// True when the bytes hold the end of a line (CR, LF) or a NUL, after which nothing counts.
bool EndsALine(std::string_view bytes);

// The lines of the bytes up to the end of the first one: none or one.
Lines FirstLineOf(std::string_view bytes);

// Line 1 of a data file and nothing after it, read only as far as line 1 ends, so that a file
// of any size costs what its first line does: no line for an empty file or one that starts
// with NUL, else one. A file that is missing, is not a regular file, or that another process
// is writing (so may be half-written) fails with "ファイル %s は開けません".
Lines ReadFirstLine(const std::string& path);

// The whole of one of the viewer's own files; fails as ReadFirstLine does.
Lines ReadLines(const std::filesystem::path& osPath);
TextLines ReadTextLines(const std::filesystem::path& osPath);

// Writes every line followed by CR LF into one of the viewer's derived files (a cache): the
// file is created, or written in place and cut to its new length. A file the user made
// read-only, or anything but a regular file, is left as it is, and the write fails with
// "ファイル %s を作成できません".
void WriteLines(const std::filesystem::path& osPath, const Lines& lines);
void WriteLineViews(const std::filesystem::path& osPath,
                    const std::vector<std::string_view>& lines);

// While one lives, each data file asked of ReadFirstLine is read from the disk once, and each
// of the viewer's own files that WriteLines wrote is read back by ReadLines from the bytes
// written: the stages of one race load see one state of every file and pay for reading it once.
// A failed read or write is not kept. Nested scopes are one; the outermost decides.
class ReadOnceScope {
public:
    ReadOnceScope();
    ~ReadOnceScope();
    ReadOnceScope(const ReadOnceScope&) = delete;
    ReadOnceScope& operator=(const ReadOnceScope&) = delete;

private:
    bool outermost_;
};

// While one lives (inside a read-once scope), the viewer's own files written by WriteLines go
// to memory only, where ReadLines finds them: a load can run to its end without touching the
// disk, which then gets all of it (Commit) or none of it (the writes are dropped with the
// object).
class HeldWrites {
public:
    HeldWrites();
    ~HeldWrites();
    HeldWrites(const HeldWrites&) = delete;
    HeldWrites& operator=(const HeldWrites&) = delete;

    // Writes every held file to the disk, in the order they were first written; fails as
    // WriteLines does.
    void Commit();

private:
    ReadOnceScope scope_;
};

// The line at a 0-based index; a missing line fails with
// "リストのインデックスが範囲を超えています (%d)".
const std::string& LineAt(const Lines& lines, std::size_t index);

// Writes the bytes as the whole new content of a file the user keeps (the settings file), so
// that it is always whole: into a temporary file beside it that is then renamed over it. A
// symbolic link is followed and the file it names replaced; a read-only file is refused;
// where the folder cannot be written but the file can, the file is written in place. No
// temporary file outlives the call. False when it cannot; the caller chooses the message.
bool ReplaceFileContent(const std::filesystem::path& osPath, std::string_view bytes);

// Removes the temporary files that a replacement of the file cut short by a crash or a power
// loss left beside it.
void RemoveLeftoverTemporaries(const std::filesystem::path& osPath);

// What a symbolic link names, followed to the end (the path itself when it is none).
std::filesystem::path FollowLinks(const std::filesystem::path& osPath);

// Whether a file name is one of the temporary files of a replacement of `target`.
bool IsTemporaryOf(const std::filesystem::path& name, const std::filesystem::path& target);

// The name of a new temporary file of a replacement of `target`, with `unique` (six
// characters) in it.
std::filesystem::path TemporaryName(const std::filesystem::path& target, std::string_view unique);

} // namespace mv
