#include "platform/FolderNotices.h"

#include "platform/FileQuery.h"
#include "platform/posix/FolderWatch.h"

namespace mv {

struct FolderNotices::System {
    FolderWatch watch;
};

FolderNotices::FolderNotices() : system_(std::make_unique<System>()) {}

FolderNotices::~FolderNotices() = default;
FolderNotices::FolderNotices(FolderNotices&&) noexcept = default;
FolderNotices& FolderNotices::operator=(FolderNotices&&) noexcept = default;

bool FolderNotices::Start(const std::string& folder) {
    folder_ = folder;
    return system_->watch.Start(ToOsPath(folder).native(), true);
}

void FolderNotices::Stop() {
    system_->watch.Stop();
}

bool FolderNotices::Active() const {
    return system_->watch.Active();
}

std::intptr_t FolderNotices::Handle() const {
    return system_->watch.fd();
}

std::optional<std::vector<std::string>> FolderNotices::Take() {
    if (!Active()) {
        return std::vector<std::string>{};
    }
    auto changes = system_->watch.Changes();
    if (!changes) {
        // The queue overflowed or the folder went: anything may have changed.
        system_->watch.Start(ToOsPath(folder_).native(), true);
        return std::nullopt;
    }
    std::vector<std::string> names;
    names.reserve(changes->size());
    for (const FolderWatch::Change& change : *changes) {
        // A name code page 932 cannot hold is no data file of ours.
        if (auto name = FromOsPath(std::filesystem::path(change.osName))) {
            names.push_back(std::move(*name));
        }
    }
    return names;
}

} // namespace mv
