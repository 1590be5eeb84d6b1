#include "platform/InstanceLock.h"

#include <cstdint>
#include <cstdio>
#include <type_traits>

namespace mv {

// The path's characters as the system spells them; a hash keeps the name short whatever the
// folder's length (a mutex name has a limit of its own).
std::string InstanceName(const std::filesystem::path& programFolder) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const auto unit : NormalFolder(programFolder)) {
        using Unit = std::make_unsigned_t<std::remove_const_t<decltype(unit)>>;
        hash = (hash ^ static_cast<Unit>(unit)) * 1099511628211ULL;
    }
    char name[32];
    std::snprintf(name, sizeof name, "Q-MvRCV98-%016llx", static_cast<unsigned long long>(hash));
    return name;
}

} // namespace mv
