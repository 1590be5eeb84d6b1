#include "platform/TextFile.h"

#include "platform/Failure.h"
#include "platform/FileQuery.h"

#include <algorithm>
#include <windows.h>

namespace mv {
namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool Close() {
        const bool ok = !valid() || ::CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

// Read calls are limited to what a DWORD counts; one megabyte keeps the buffer modest. Line 1 of
// a data file is a few kilobytes at most, so its reads are smaller.
constexpr DWORD ChunkBytes = 1 << 20;
constexpr DWORD LineChunkBytes = 1 << 16;

// Reads to the end, or only until the first line has ended when `firstLine` is set.
bool ReadBytes(HANDLE h, std::string& out, bool firstLine) {
    std::string buffer(firstLine ? LineChunkBytes : ChunkBytes, '\0');
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(h, buffer.data(), static_cast<DWORD>(buffer.size()), &n, nullptr)) {
            return false;
        }
        if (n == 0) {
            return true;
        }
        const std::string_view chunk(buffer.data(), n);
        out.append(chunk);
        if (firstLine && EndsALine(chunk)) {
            return true;
        }
    }
}

bool WriteAll(HANDLE h, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), ChunkBytes));
        DWORD n = 0;
        if (!::WriteFile(h, bytes.data(), wanted, &n, nullptr) || n == 0) {
            return false;
        }
        bytes.remove_prefix(n);
    }
    return true;
}

// A new file beside the target that no one else has: names are tried until one is free.
HANDLE CreateTemporaryBeside(const std::wstring& target, std::wstring& temp) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" +
               std::to_wstring(++counter) + L".tmp";
        const HANDLE h = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) {
            return h;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// The file's bytes, refused while another process writes it.
std::string ReadUnwritten(const std::string& path, bool firstLine) {
    const auto osPath = FindFile(path);
    if (!osPath) {
        throw Failure::CannotOpen(path);
    }
    // Sharing only reading refuses the file while another handle may write to it: then the
    // betting software is still writing it.
    FileHandle h(::CreateFileW(osPath->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!h.valid() || ::GetFileType(h.get()) != FILE_TYPE_DISK ||
        !ReadBytes(h.get(), bytes, firstLine)) {
        throw Failure::CannotOpen(path);
    }
    return bytes;
}

} // namespace

Lines ReadLines(const std::string& path) {
    return SplitLines(ReadUnwritten(path, false));
}

Lines ReadFirstLine(const std::string& path) {
    return FirstLineOf(ReadUnwritten(path, true));
}

bool ReplaceFileContent(const std::string& path, std::string_view bytes, Durability durability) {
    const std::wstring target = ToOsPath(path).native();
    std::wstring temp;
    FileHandle h(CreateTemporaryBeside(target, temp));
    if (!h.valid()) {
        return false;
    }
    bool ok = WriteAll(h.get(), bytes);
    if (ok && durability == Durability::Durable) {
        ok = ::FlushFileBuffers(h.get()) != 0;
    }
    ok = h.Close() && ok;
    const DWORD moveFlags = MOVEFILE_REPLACE_EXISTING |
                            (durability == Durability::Durable ? MOVEFILE_WRITE_THROUGH : 0);
    ok = ok && ::MoveFileExW(temp.c_str(), target.c_str(), moveFlags) != 0;
    if (!ok) {
        ::DeleteFileW(temp.c_str());
    }
    return ok;
}

} // namespace mv
