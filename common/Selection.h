#pragma once

// Which venue slot and race are shown, and which data files the last probe found.

namespace mv {

struct Selection {
    int CurSlot = 0;  // 0..6; 0 until the first venue is chosen
    int CurVenue = 0; // venue code of CurSlot; 0 until then
    int CurRace = 0;  // 0..12; 0 = no race
    // RaceFiles[race 1..12][kind 1..5]: 1 when the file existed at the last probe.
    int RaceFiles[13][6] = {};

    bool HasFile(int race, int kind) const { return RaceFiles[race][kind] == 1; }
};

} // namespace mv
