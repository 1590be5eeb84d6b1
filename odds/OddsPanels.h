#pragma once

#include "common/MainFormState.h"

namespace mv {

// Each fills its memo from the cache its sort flag chooses ("True" sorted, "false" normal,
// anything else nothing).
void ShowOdds1(MainFormState& state);
void ShowOdds2(MainFormState& state);
void ShowOdds3(MainFormState& state);

} // namespace mv
