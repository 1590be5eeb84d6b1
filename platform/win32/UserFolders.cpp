#include "platform/FileQuery.h"

#include <shlobj.h>
#include <windows.h>

namespace mv {

std::filesystem::path DocumentsFolder() {
    PWSTR path = nullptr;
    std::filesystem::path folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path))) {
        folder = path;
    }
    ::CoTaskMemFree(path);
    if (folder.empty()) {
        std::error_code error;
        folder = std::filesystem::current_path(error);
    }
    return folder;
}

} // namespace mv
