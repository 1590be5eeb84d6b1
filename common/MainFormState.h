#pragma once

// Everything the main window's operations work on: its settings, the meetings found at
// start-up, the selection, the widgets' model and the folders it uses. The race load stages
// read and write it.

#include "common/MainWindowModel.h"
#include "common/MeetingTable.h"
#include "common/Selection.h"
#include "common/Settings.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace mv {

struct MainFormState {
    TSettings settings; // the main window's copy
    MeetingTable meetings;
    Selection selection;
    MainWindowModel window;
    std::filesystem::path settingsPath; // the settings file
    std::filesystem::path cacheFolder;  // where the caches go

    // PatDir + "Uy-" + CodeDigit[9 + slot] + ".jra".
    std::string MeetingIndexPath(int slot) const;
    // The path of a data file of kind 1..5 and race 1..12 of the current venue slot. Needs
    // CurVenue 1..10.
    std::string DataFilePath(int kind, int race) const;
    // A cache file next to the executable.
    std::filesystem::path CachePath(std::string_view name) const { return cacheFolder / name; }
};

} // namespace mv
