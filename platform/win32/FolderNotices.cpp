#include "platform/FolderNotices.h"

#include "platform/FileQuery.h"

#include <windows.h>

namespace mv {
namespace {

constexpr DWORD Heard = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                        FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_CREATION;

// At most 64 KB, and DWORD-aligned, as a network folder requires.
constexpr DWORD BufferBytes = 64 * 1024;

// Only a local fixed or removable disk hears every change; a share may hear none of another
// machine's writes.
bool ChangesAllSeenHere(const std::filesystem::path& folder) {
    const std::filesystem::path root = folder.root_path();
    if (root.empty() || root.native().starts_with(L"\\\\")) {
        return false;
    }
    const UINT type = ::GetDriveTypeW(root.c_str());
    return type == DRIVE_FIXED || type == DRIVE_REMOVABLE || type == DRIVE_RAMDISK;
}

} // namespace

struct FolderNotices::System {
    HANDLE folder = INVALID_HANDLE_VALUE;
    HANDLE event = nullptr;
    OVERLAPPED overlapped{};
    alignas(DWORD) unsigned char buffer[BufferBytes];
    bool pending = false;

    // Every completion must be followed by a new request, or no further notice comes.
    bool Arm() {
        overlapped = OVERLAPPED{};
        overlapped.hEvent = event;
        pending = ::ReadDirectoryChangesW(folder, buffer, BufferBytes, FALSE, Heard, nullptr,
                                          &overlapped, nullptr) != 0;
        return pending;
    }

    void Close() {
        if (folder != INVALID_HANDLE_VALUE) {
            if (pending) {
                ::CancelIoEx(folder, &overlapped);
                DWORD ignored = 0;
                ::GetOverlappedResult(folder, &overlapped, &ignored, TRUE);
            }
            ::CloseHandle(folder);
            folder = INVALID_HANDLE_VALUE;
        }
        if (event != nullptr) {
            ::CloseHandle(event);
            event = nullptr;
        }
        pending = false;
    }
};

FolderNotices::FolderNotices() : system_(std::make_unique<System>()) {}

FolderNotices::~FolderNotices() {
    if (system_) {
        Stop();
    }
}

FolderNotices::FolderNotices(FolderNotices&&) noexcept = default;

FolderNotices& FolderNotices::operator=(FolderNotices&& other) noexcept {
    if (system_) {
        Stop();
    }
    system_ = std::move(other.system_);
    folder_ = std::move(other.folder_);
    return *this;
}

bool FolderNotices::Start(const std::string& folder) {
    Stop();
    folder_ = folder;
    const std::filesystem::path os = ToOsPath(folder);
    if (!ChangesAllSeenHere(os)) {
        return false;
    }
    System& s = *system_;
    s.folder = ::CreateFileW(
        os.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    s.event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (s.folder == INVALID_HANDLE_VALUE || s.event == nullptr || !s.Arm()) {
        Stop();
    }
    return Active();
}

void FolderNotices::Stop() {
    system_->Close();
}

bool FolderNotices::Active() const {
    return system_->pending;
}

std::intptr_t FolderNotices::Handle() const {
    return Active() ? reinterpret_cast<std::intptr_t>(system_->event) : -1;
}

std::optional<std::vector<std::string>> FolderNotices::Take() {
    std::vector<std::string> names;
    System& s = *system_;
    if (!s.pending) {
        return names;
    }
    DWORD bytes = 0;
    if (!::GetOverlappedResult(s.folder, &s.overlapped, &bytes, FALSE)) {
        if (::GetLastError() == ERROR_IO_INCOMPLETE) {
            return names;
        }
        // The folder went, or the request failed: watch anew, and count everything changed.
        Start(folder_);
        return std::nullopt;
    }
    ::ResetEvent(s.event);
    // No bytes: the notices overflowed the buffer and were lost.
    const bool lost = bytes == 0;
    for (DWORD at = 0; !lost && at + sizeof(FILE_NOTIFY_INFORMATION) <= bytes;) {
        const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(s.buffer + at);
        const std::size_t length = info->FileNameLength / sizeof(WCHAR);
        if (at + offsetof(FILE_NOTIFY_INFORMATION, FileName) + length * sizeof(WCHAR) > bytes) {
            break;
        }
        const auto name = FromOsPath(std::filesystem::path(std::wstring(info->FileName, length)));
        // A name code page 932 cannot hold is no data file of ours.
        if (name) {
            names.push_back(*name);
        }
        if (info->NextEntryOffset == 0) {
            break;
        }
        at += info->NextEntryOffset;
    }
    if (!s.Arm()) {
        Start(folder_);
        return std::nullopt;
    }
    if (lost) {
        return std::nullopt;
    }
    return names;
}

} // namespace mv
