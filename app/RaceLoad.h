#pragma once

// The stages of the race load, in the order they run. Each reads the data files of the current
// race that the last probe found and fills the window or the caches.

#include "common/MainFormState.h"

namespace mv {

// Runner files to the race card lines, then the race card caches, the combination odds and
// their caches, the results, the race card grid and the three odds panels. A failure in any
// stage ends the load there.
void LoadRaceData(MainFormState& state);

} // namespace mv
