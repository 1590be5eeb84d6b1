#pragma once

// Access to INI profile files ("[Section]" lines and "Key=Value" lines, CR LF, code page 932).
// Section and key names match without regard to letter case.

#include <string>

namespace mv {

// The value after the first "=" of the key's line, blanks around it removed and one pair of
// enclosing double or single quotes removed, at most 2047 bytes. When the file, the section or
// the key is absent: the default with its trailing blanks removed.
std::string ReadProfileString(const std::string& iniPath, const std::string& section,
                              const std::string& key, const std::string& defaultValue);

// Creates the file, the section or the key when absent; changes an existing key in place and
// keeps every other line as it was. The file is replaced atomically. A value with blanks at
// either end is stored in quotes so that it reads back unchanged; a line break in any text, "="
// in a key or "]" in a section name would corrupt the file and is refused. Fails with
// "%s に書き込めません" and the file's path.
void WriteProfileString(const std::string& iniPath, const std::string& section,
                        const std::string& key, const std::string& value);

} // namespace mv
