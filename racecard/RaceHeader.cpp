// PLACEHOLDER until this stage lands.
#include "racecard/RaceHeader.h"
namespace mv {
void ShowRaceHeader(MainFormState&) {}
} // namespace mv
