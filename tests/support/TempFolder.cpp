#include "support/TempFolder.h"

#include "platform/FileQuery.h"

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>

namespace mv::test {

TempFolder::TempFolder() {
    // A name no other test (or test process) has: created only when it is new.
    static std::mt19937_64 random{std::random_device{}()};
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100 && osPath_.empty(); ++attempt) {
        const auto candidate = base / ("mvtest." + std::to_string(random()));
        if (std::filesystem::create_directory(candidate)) {
            osPath_ = candidate;
        }
    }
    const auto sjis = osPath_.empty() ? std::nullopt : FromOsPath(osPath_);
    if (!sjis) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = *sjis + PathSeparator;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(osPath_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(osPath_, ec);
}

std::filesystem::path TempFolder::File(const std::string& name) const {
    return osPath_ / ToOsPath(name);
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(osPath_ / ToOsPath(name), std::ios::binary);
    out << bytes;
    return path_ + name;
}

std::string TempFolder::Read(const std::string& name) const {
    return ReadFile(osPath_ / ToOsPath(name));
}

std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

int EntryCount(const std::filesystem::path& folder) {
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder),
                                          std::filesystem::directory_iterator()));
}

} // namespace mv::test
