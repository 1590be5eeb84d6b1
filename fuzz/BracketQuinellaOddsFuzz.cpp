// The bracket quinella odds of a win/place and bracket quinella file.

#include "common/Tables.h"
#include "fuzz/OddsFuzz.h"
#include "odds/CombinationOdds.h"
#include "odds/OddsPanels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mv;
    static constexpr fuzz::OddsTarget Target{KindZo, ReadBracketQuinellaOdds, &TSettings::Wsort,
                                             ShowOdds1};
    fuzz::RunOddsTarget(Target, data, size);
    return 0;
}
