#include "fuzz/FuzzFolder.h"

#include "fuzz/Contract.h"
#include "platform/Codec.h"
#include "platform/FileQuery.h"
#include "platform/IniFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace mv::fuzz {
namespace {

// The meeting the races belong to: Tokyo, keys 2, 6 and 1, in venue slot 1.
constexpr int Slot = 1, Venue = 5, Key1 = 2, Key2 = 6, Key3 = 1;
constexpr int Race = 1;

} // namespace

FuzzFolder& FuzzFolder::Get() {
    static FuzzFolder folder;
    return folder;
}

FuzzFolder::FuzzFolder() {
    std::string templ = (std::filesystem::temp_directory_path() / "mvfuzz.XXXXXX").string();
    if (::mkdtemp(templ.data()) == nullptr) {
        Finding("cannot create the fuzz folder");
    }
    root_ = templ;
    std::filesystem::create_directory(root_ + "/pat");
    std::filesystem::create_directory(root_ + "/program");
    const auto root = TryUtf8ToSjis(root_);
    if (!root) {
        Finding("the temporary folder has no code page 932 name");
    }
    pat_ = *root + "/pat/";
    program_ = *root + "/program/";
    WriteProfileString(SettingsPath(), "Dir", "PatDir", pat_);
    WriteProfileString(SettingsPath(), "Options", "US", "1");
}

FuzzFolder::~FuzzFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void FuzzFolder::Put(const std::string& path, const std::string& bytes) {
    std::ofstream out(ToOsPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        Finding("cannot write " + path);
    }
}

MainFormState FuzzFolder::RaceWith(const std::vector<std::pair<int, std::string>>& files) const {
    MainFormState state;
    state.settings.PatDir = pat_;
    state.settings.PN = Sjis("▲");
    state.settingsPath = SettingsPath();
    state.cacheFolder = program_;
    state.meetings[Slot] = MeetingEntry{Venue, Sjis("東京"), Key1, Key2, Key3};
    state.selection.CurSlot = Slot;
    state.selection.CurVenue = Venue;
    state.selection.CurRace = Race;
    for (const auto& [kind, bytes] : files) {
        state.selection.RaceFiles[Race][kind] = 1;
        Put(state.DataFilePath(kind, Race), bytes);
    }
    return state;
}

} // namespace mv::fuzz
