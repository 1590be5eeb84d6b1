#include "support/TempFolder.h"

#include "platform/Codec.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>

namespace mv::test {

TempFolder::TempFolder() {
    std::string templ = (std::filesystem::temp_directory_path() / "mvtest.XXXXXX").string();
    if (::mkdtemp(templ.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    osPath_ = templ;
    path_ = *TryUtf8ToSjis(templ) + "/";
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(osPath_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(osPath_, ec);
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(osPath_ / SjisToUtf8(name), std::ios::binary);
    out << bytes;
    return path_ + name;
}

std::string TempFolder::Read(const std::string& name) const {
    std::ifstream in(osPath_ / SjisToUtf8(name), std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

} // namespace mv::test
