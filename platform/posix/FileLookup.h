#pragma once

// The lookup of a name as the data's home platform finds it: the exact name first, else the
// first entry of the folder whose name differs only in letter case.

#include <optional>
#include <string>

namespace mv {

// The OS path of the entry named path that `accept` takes (it is given the entry's OS path).
std::optional<std::string> ResolveEntry(const std::string& path,
                                        bool (*accept)(const std::string& osPath));

bool IsRegularFile(const std::string& osPath);

} // namespace mv
