#include "platform/FileQuery.h"

#include <unistd.h>

namespace mv {

std::filesystem::path ExecutableOsPath() {
    std::string buffer(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    buffer.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return buffer;
}

} // namespace mv
