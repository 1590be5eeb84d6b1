// PLACEHOLDER until the INI access lands.
#include "platform/IniFile.h"

namespace mv {
std::string ReadProfileString(const std::string&, const std::string&, const std::string&,
                              const std::string& defaultValue) {
    return defaultValue;
}
void WriteProfileString(const std::string&, const std::string&, const std::string&,
                        const std::string&) {}
} // namespace mv
