// PLACEHOLDER until this stage lands.
#include "odds/CombinationOdds.h"
namespace mv {
void ReadBracketQuinellaOdds(MainFormState&) {}
void WriteBracketQuinellaNoData(const MainFormState&) {}
void ReadQuinellaOdds(MainFormState&) {}
void ReadWideOdds(MainFormState&) {}
void WriteQuinellaWideNoData(const MainFormState&) {}
} // namespace mv
