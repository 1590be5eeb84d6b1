#pragma once

// The bracket quinella, quinella and wide odds of the current race: the odds time in each
// panel's caption, and a sorted and a normal cache per bet type.

#include "common/MainFormState.h"

namespace mv {

// From the "Zo-" file: GBOdds1's caption, "MvZOSo.dat" and "MvZONo.dat".
void ReadBracketQuinellaOdds(MainFormState& state);
// Without a "Zo-" file: "DATAなし" in both bracket quinella caches.
void WriteBracketQuinellaNoData(const MainFormState& state);

// From the "Uo-" file: GBOdds2's caption, "MvUOSo.dat" and "MvUONo.dat".
void ReadQuinellaOdds(MainFormState& state);
// From the "Uo-" file: GBOdds3's caption, "MvKOSo.dat" and "MvKONo.dat".
void ReadWideOdds(MainFormState& state);
// Without a "Uo-" file: "DATAなし" in the four quinella and wide caches.
void WriteQuinellaWideNoData(const MainFormState& state);

} // namespace mv
