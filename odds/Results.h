#pragma once

#include "common/MainFormState.h"

namespace mv {

// Fills MemoSeiseki with the payouts and refunds of the current race's results file, or
// "備考：" when the race has none.
void ShowResults(MainFormState& state);

} // namespace mv
