#pragma once

#include "common/MainFormState.h"

namespace mv {

// Fills the seven header edits of the current race from every data file of it that the last
// probe found, in kind order; a later kind overwrites what an earlier one set. Does nothing
// when no race is selected.
void ShowRaceHeader(MainFormState& state);

} // namespace mv
