#pragma once

// The disk side of the text files, one per system; TextFile adds what a read-once scope keeps.

#include <filesystem>
#include <string>
#include <string_view>

namespace mv {

// The bytes of a data file up to the end of line 1 (at least), by its code page 932 path.
std::string DiskReadFirstLine(const std::string& path);

// The whole of one of the viewer's own files.
std::string DiskReadAll(const std::filesystem::path& osPath);

// The bytes as the whole new content of one of the viewer's own files, written in place.
void DiskWrite(const std::filesystem::path& osPath, std::string_view bytes);

} // namespace mv
