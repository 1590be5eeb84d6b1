#include "platform/TextFile.h"

#include "platform/DiskFile.h"
#include "platform/Failure.h"
#include "platform/FileQuery.h"

#include <algorithm>
#include <cstdio>
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
    void Release() { h_ = INVALID_HANDLE_VALUE; }
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

// Read-only as the user means it: the file's read-only attribute.
bool ReadOnly(DWORD attributes) {
    return (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// The whole content written over what the file just opened held, then cut to its length: the
// cheapest way to leave exactly these bytes in an existing file.
bool Overwrite(HANDLE h, std::string_view bytes) {
    return WriteAll(h, bytes) && ::SetEndOfFile(h) != 0;
}

// A regular file opened for writing, shared with readers only. The system refuses to open a
// read-only file so, except to an administrator on some file systems; it is refused here too.
HANDLE OpenWritable(const std::filesystem::path& osPath, DWORD disposition) {
    FileHandle h(::CreateFileW(osPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    // Only the attributes: the whole information includes the volume's serial number, which
    // costs more than the rest of the write together under Wine.
    FILE_BASIC_INFO info{};
    if (!h.valid() || ::GetFileType(h.get()) != FILE_TYPE_DISK ||
        !::GetFileInformationByHandleEx(h.get(), FileBasicInfo, &info, sizeof info) ||
        ReadOnly(info.FileAttributes)) {
        return INVALID_HANDLE_VALUE;
    }
    const HANDLE open = h.get();
    h.Release();
    return open;
}

// A new file beside the target that no one else has: names are tried until one is free.
HANDLE CreateTemporaryBeside(const std::filesystem::path& target, std::wstring& temp) {
    static unsigned counter = ::GetTickCount();
    for (int attempt = 0; attempt < 100; ++attempt) {
        char unique[7];
        std::snprintf(
            unique, sizeof unique, "%06X",
            static_cast<unsigned>((::GetCurrentProcessId() * 7919u + ++counter) & 0xFFFFFFu));
        temp = TemporaryName(target, unique).native();
        const HANDLE h = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS) {
            return h;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// The file's bytes, refused while another process writes it.
std::string ReadUnwritten(const std::filesystem::path& osPath, const std::string& shown,
                          bool firstLine) {
    // Sharing only reading refuses the file while another handle may write to it: then the
    // betting software is still writing it.
    FileHandle h(::CreateFileW(osPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!h.valid() || ::GetFileType(h.get()) != FILE_TYPE_DISK ||
        !ReadBytes(h.get(), bytes, firstLine)) {
        throw Failure::CannotOpen(shown);
    }
    return bytes;
}

} // namespace

std::string DiskReadFirstLine(const std::string& path) {
    const auto osPath = FindFile(path);
    if (!osPath) {
        throw Failure::CannotOpen(path);
    }
    return ReadUnwritten(*osPath, path, true);
}

std::string DiskReadAll(const std::filesystem::path& osPath) {
    return ReadUnwritten(osPath, ShownPath(osPath), false);
}

void DiskWrite(const std::filesystem::path& osPath, std::string_view bytes) {
    FileHandle h(OpenWritable(osPath, OPEN_ALWAYS));
    if (!h.valid() || !Overwrite(h.get(), bytes) || !h.Close()) {
        throw Failure::CannotCreate(ShownPath(osPath));
    }
}

// A link (symbolic link or junction) is followed by opening what it names; the system's final
// path of that is the file to replace. Without a file there, the path stays as it is.
std::filesystem::path FollowLinks(const std::filesystem::path& osPath) {
    FileHandle h(::CreateFileW(osPath.c_str(), FILE_READ_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const DWORD attributes = ::GetFileAttributesW(osPath.c_str());
    if (!h.valid() || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return osPath;
    }
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            ::GetFinalPathNameByHandleW(h.get(), final.data(), static_cast<DWORD>(final.size()), 0);
        if (n == 0) {
            return osPath;
        }
        if (n < final.size()) {
            final.resize(n);
            return final;
        }
        final.resize(n);
    }
}

bool ReplaceFileContent(const std::filesystem::path& osPath, std::string_view bytes) {
    const std::filesystem::path target = FollowLinks(osPath);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || ReadOnly(attributes))) {
        return false;
    }
    std::wstring temp;
    FileHandle h(CreateTemporaryBeside(target, temp));
    if (!h.valid()) {
        // A folder that cannot be written may still hold a file that can.
        if (!exists || ::GetLastError() != ERROR_ACCESS_DENIED) {
            return false;
        }
        FileHandle file(OpenWritable(target, OPEN_EXISTING));
        return file.valid() && Overwrite(file.get(), bytes) &&
               ::FlushFileBuffers(file.get()) != 0 && file.Close();
    }
    bool ok = WriteAll(h.get(), bytes) && ::FlushFileBuffers(h.get()) != 0;
    ok = h.Close() && ok;
    ok = ok && ::MoveFileExW(temp.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) {
        ::DeleteFileW(temp.c_str());
    }
    return ok;
}

} // namespace mv
