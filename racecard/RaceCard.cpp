// PLACEHOLDER until this stage lands.
#include "racecard/RaceCard.h"
namespace mv {
void WriteRaceCardCaches(const MainFormState&, const Lines&) {}
void ShowRaceCard(MainFormState&) {}
} // namespace mv
