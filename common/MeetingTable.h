#pragma once

// The meetings found at start-up, one entry per venue slot 1..6.

#include <array>
#include <string>

namespace mv {

struct MeetingEntry {
    int VenueCode = 0;   // 1..10; 0 while the slot has no meeting
    std::string Caption; // venue name, with "前日" for slots 4..6
    int Key1 = 0;        // the three keys only go into data file names
    int Key2 = 0;
    int Key3 = 0;
};

// Indexed by slot 1..6 (entry 0 unused).
using MeetingTable = std::array<MeetingEntry, 7>;

} // namespace mv
