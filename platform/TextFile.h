#pragma once

// Whole text files as lists of code page 932 lines. Paths are code page 932 texts; a data file
// is found by its exact name first and then without regard to letter case.

#include <string>
#include <string_view>
#include <vector>

namespace mv {

using Lines = std::vector<std::string>;

// A line ends at CR, at LF or at CR LF; a final break adds no empty line; everything after a
// NUL byte is ignored; an empty text has no line.
Lines SplitLines(std::string_view bytes);

// Reads the whole file. A file that is missing, is not a regular file, or that another process
// has open for writing (so may be half-written) fails with "ファイル %s は開けません".
Lines ReadLines(const std::string& path);

// Line 1 of the file and nothing after it, read only as far as line 1 ends, so that a file of
// any size costs what its first line does: no line for an empty file or one that starts with
// NUL, else one. Fails as ReadLines does.
Lines ReadFirstLine(const std::string& path);

// True when the bytes hold the end of a line (CR, LF) or a NUL, after which nothing counts.
bool EndsALine(std::string_view bytes);

// The lines of the bytes up to the end of the first one: none or one.
Lines FirstLineOf(std::string_view bytes);

// How much a write must survive: a crash of the viewer always; a power loss only when durable.
enum class Durability { UntilNextRun, Durable };

// Writes every line followed by CR LF, through a temporary file in the same folder renamed over
// the target, so the old file stays whole when anything fails. Fails with
// "ファイル %s を作成できません".
void WriteLines(const std::string& path, const Lines& lines,
                Durability durability = Durability::UntilNextRun);

// The line at a 0-based index; a missing line fails with
// "リストのインデックスが範囲を超えています (%d)".
const std::string& LineAt(const Lines& lines, std::size_t index);

// Writes the bytes as the whole new content of path, atomically as WriteLines does; false when
// it cannot. The caller chooses the message.
bool ReplaceFileContent(const std::string& path, std::string_view bytes, Durability durability);

} // namespace mv
