#pragma once

// The shared body of the three combination odds targets: one arbitrary data file of the kind
// the reader takes, the reader, then its panel shown from both caches.

#include "common/MainFormState.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace mv::fuzz {

struct OddsTarget {
    int kind;                         // the data file the reader takes
    void (*read)(MainFormState&);     // the reader, writing the two caches
    std::string TSettings::*sortFlag; // the panel's flag
    void (*show)(MainFormState&);     // the panel, from the cache the flag chooses
};

void RunOddsTarget(const OddsTarget& target, const std::uint8_t* data, std::size_t size);

} // namespace mv::fuzz
