#pragma once

// The user settings as the settings file holds them: code page 932 texts exactly as read,
// named after their keys. Nothing is validated; each reader decides what a value means.

#include <string>

namespace mv {

struct TSettings {
    std::string PatDir; // folder of the betting software, ending with the separator
    std::string PN;     // sign of a body-weight decrease: "▲", "－" or "△"
    std::string Tsort;  // initial order of the race card grid: "True" sorted, else normal
    std::string Wsort;  // bracket quinella panel: "True" sorted, "false" normal
    std::string Usort;  // quinella panel
    std::string Ksort;  // wide panel
    std::string US;     // "1" once a folder with meeting index files has been stored, else "0"
};

} // namespace mv
