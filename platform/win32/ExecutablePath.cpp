#include "platform/FileQuery.h"
#include "platform/win32/LongPath.h"

#include <windows.h>

namespace mv {

std::filesystem::path ExecutableOsPath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), size);
        if (n == 0) {
            return {};
        }
        if (n < size) {
            buffer.resize(n);
            return WithoutLengthLimit(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace mv
