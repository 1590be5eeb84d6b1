#pragma once

// Access to INI profile files ("[Section]" lines and "Key=Value" lines, CR LF, code page 932).
// Section and key names match without regard to letter case.

#include <filesystem>
#include <string>

namespace mv {

// The value after the first "=" of the key's line, blanks around it removed and one pair of
// enclosing double or single quotes removed, at most 2047 bytes. When the file, the section or
// the key is absent: the default with its trailing blanks removed.
std::string ReadProfileString(const std::filesystem::path& iniPath, const std::string& section,
                              const std::string& key, const std::string& defaultValue);

// Creates the file, the section or the key when absent; changes an existing key in place and
// keeps every other line as it was. The file is replaced atomically. The value is stored as it
// is, so blanks at its ends and enclosing quotes are read back without them, as the system's
// profile functions do. A line break in any text, "=" in a key or "]" in a section name would
// corrupt the file and is refused, and so is a file in UTF-16 (a text editor's "Unicode"),
// which a line of code page 932 would damage. Fails with "%s に書き込めません" and the file's
// path.
void WriteProfileString(const std::filesystem::path& iniPath, const std::string& section,
                        const std::string& key, const std::string& value);

} // namespace mv
