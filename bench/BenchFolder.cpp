#include "bench/BenchFolder.h"

#include "common/Tables.h"
#include "platform/FileQuery.h"
#include "settings/SettingsFile.h"
#include "tools/SampleFolder.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace mv::bench {
namespace {

namespace fs = std::filesystem;

// A data file of an earlier meeting: a kind prefix, a venue digit and a serial that no
// meeting of the sample uses (the sample's names are at most three characters longer than the
// prefix).
std::string UnrelatedName(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%d%07d.jra", KindPrefix(n % FileKinds + 1).c_str(),
                  n % 9 + 1, n);
    return name;
}

void WriteUnrelatedFiles(const fs::path& folder, int count) {
    // About the size of a race data file; the contents are never read.
    const std::string filler(600, ' ');
    for (int n = 0; n < count; ++n) {
        std::ofstream(folder / UnrelatedName(n), std::ios::binary) << filler << "\r\n";
    }
}

void UpperCaseNames(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        std::string name = entry.path().filename().string();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        fs::rename(entry.path(), folder / name);
    }
}

} // namespace

BenchInstall::BenchInstall(const FolderShape& shape) {
    const fs::path pat = temp_.osPath() / "PAT";
    fs::create_directory(pat);
    fs::create_directory(temp_.osPath() / "cache");
    if (shape.onlyFirstMeeting) {
        sample::WriteSampleMeeting(PatFolder(), sample::SampleMeetings().front());
    } else {
        sample::WriteSampleFolder(PatFolder());
    }
    WriteUnrelatedFiles(pat, shape.unrelatedFiles);
    if (shape.upperCase) {
        UpperCaseNames(pat);
    }
    SaveSettings(SettingsPath(), PatFolder(), LoadSettings(SettingsPath()));
    SetPatFolderAge(true);
}

void BenchInstall::SetPatFolderAge(bool settled) const {
    timespec times[2]{};
    ::clock_gettime(CLOCK_REALTIME, &times[0]);
    if (settled) {
        times[0].tv_sec -= 3600;
    }
    times[1] = times[0];
    if (::utimensat(AT_FDCWD, PatOsFolder().c_str(), times, 0) != 0) {
        throw std::runtime_error("cannot set the time stamp of " + PatOsFolder());
    }
}

void BenchInstall::ChangePatFolder() const {
    const std::string file = PatOsFolder() + "/ZZ-CHANGE.DAT";
    if (::unlink(file.c_str()) != 0) {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0 || ::close(fd) != 0) {
            throw std::runtime_error("cannot write " + file);
        }
    }
}

std::unique_ptr<TMainForm> BenchInstall::MakeForm(UiServices& ui) const {
    auto form = std::make_unique<TMainForm>(ui, SettingsPath(), CacheFolder());
    form->FormCreate();
    Selection& selection = form->state().selection;
    selection.CurSlot = 1;
    selection.CurVenue = form->state().meetings[1].VenueCode;
    return form;
}

int ProbeRaceFiles(const TMainForm& form) {
    const ListingBatch probe;
    int found = 0;
    for (int race = 1; race <= Races; ++race) {
        for (int kind = 1; kind <= FileKinds; ++kind) {
            found += FileExists(form.state().DataFilePath(kind, race)) ? 1 : 0;
        }
    }
    return found;
}

} // namespace mv::bench
