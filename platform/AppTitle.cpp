#include "platform/AppTitle.h"

#include "platform/Codec.h"
#include "platform/FileQuery.h"

namespace mv {

std::string ApplicationTitle(const std::string& executablePath) {
    std::string name = executablePath.substr(LastSeparator(executablePath) + 1);
    name = name.substr(0, name.find('.'));
    // Lower-case ASCII letters after the first character, skipping double-byte characters,
    // whose second byte may look like a letter.
    for (std::size_t i = name.empty() ? 0 : CharacterLength(name, 0); i < name.size();
         i += CharacterLength(name, i)) {
        if (name[i] >= 'A' && name[i] <= 'Z') {
            name[i] = static_cast<char>(name[i] + 32);
        }
    }
    return name;
}

} // namespace mv
