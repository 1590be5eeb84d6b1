#pragma once

// The race card caches next to the executable and the grid shown from them.

#include "common/MainFormState.h"
#include "platform/TextFile.h"

namespace mv {

// Writes the ranked lines to "MvDESo.dat" and, in runner-slot order, to "MvDENo.dat".
void WriteRaceCardCaches(const MainFormState& state, const Lines& rankedLines);

// Fills DEGrid rows 1..18 from the cache that Tsort chooses.
void ShowRaceCard(MainFormState& state);

} // namespace mv
