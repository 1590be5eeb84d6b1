// PLACEHOLDER until this stage lands.
#include "odds/Results.h"
namespace mv {
void ShowResults(MainFormState&) {}
} // namespace mv
