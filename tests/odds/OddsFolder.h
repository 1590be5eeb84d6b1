#pragma once

// A betting-software folder and a program folder, both temporary, and the main window's state
// showing one race of a meeting from venue slot 1.

#include "common/MainFormState.h"
#include "support/TempFolder.h"
#include "tools/SampleWriters.h"

#include <filesystem>
#include <string>
#include <vector>

namespace mv::test {

class OddsFolder {
public:
    OddsFolder() {
        state.settings.PatDir = pat.path();
        state.cacheFolder = program.osPath();
        Select({5, 2, 6, 1}, 11);
    }

    // Shows the race of the meeting with these keys; no data file is found yet.
    void Select(const sample::MeetingKeys& meetingKeys, int raceNo) {
        keys = meetingKeys;
        race = raceNo;
        state.meetings[1] = {keys.venueCode, "", keys.key1, keys.key2, keys.key3};
        state.selection = {};
        state.selection.CurSlot = 1;
        state.selection.CurVenue = keys.venueCode;
        state.selection.CurRace = race;
    }

    // Writes line 1 as the race's data file of that kind and marks the file as found.
    void Write(sample::Kind kind, const std::string& line) {
        sample::WriteDataFile(pat.path(), sample::DataFileName(kind, keys, race), line);
        state.selection.RaceFiles[race][static_cast<int>(kind)] = 1;
    }

    std::string Cache(const std::string& name) const { return program.Read(name); }
    bool HasCache(const std::string& name) const {
        return std::filesystem::exists(program.osPath() / name);
    }

    TempFolder pat;
    TempFolder program;
    sample::MeetingKeys keys;
    int race = 0;
    MainFormState state;
};

// The bytes of a text file written with these lines.
inline std::string CrLfLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

} // namespace mv::test
