// PLACEHOLDER until this stage lands.
#include "odds/OddsPanels.h"
namespace mv {
void ShowOdds1(MainFormState&) {}
void ShowOdds2(MainFormState&) {}
void ShowOdds3(MainFormState&) {}
} // namespace mv
