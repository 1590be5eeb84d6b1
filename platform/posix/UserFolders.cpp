#include "platform/FileQuery.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

namespace mv {
namespace {

std::filesystem::path EnvironmentPath(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::filesystem::path(value)
                                               : std::filesystem::path();
}

// XDG_DOCUMENTS_DIR of the user's folder settings: "$HOME/…" or an absolute path, quoted.
std::filesystem::path ConfiguredDocuments(const std::filesystem::path& home) {
    std::filesystem::path config = EnvironmentPath("XDG_CONFIG_HOME");
    if (config.empty()) {
        config = home / ".config";
    }
    std::ifstream in(config / "user-dirs.dirs");
    const std::string key = "XDG_DOCUMENTS_DIR=\"";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key, 0) != 0 || line.size() < key.size() + 1 || line.back() != '"') {
            continue;
        }
        const std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.rfind("$HOME/", 0) == 0) {
            return home / value.substr(6);
        }
        if (!value.empty() && value[0] == '/') {
            return value;
        }
    }
    return {};
}

} // namespace

std::filesystem::path DocumentsFolder() {
    const std::filesystem::path home = EnvironmentPath("HOME");
    if (home.empty()) {
        return std::filesystem::current_path();
    }
    std::error_code error;
    for (const auto& candidate : {ConfiguredDocuments(home), home / "Documents"}) {
        if (!candidate.empty() && std::filesystem::is_directory(candidate, error)) {
            return candidate;
        }
    }
    return home;
}

} // namespace mv
