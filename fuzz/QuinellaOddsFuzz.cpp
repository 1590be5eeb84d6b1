// The quinella odds of a quinella and wide file.

#include "common/Tables.h"
#include "fuzz/OddsFuzz.h"
#include "odds/CombinationOdds.h"
#include "odds/OddsPanels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mv;
    static constexpr fuzz::OddsTarget Target{KindUo, ReadQuinellaOdds, &TSettings::Usort,
                                             ShowOdds2};
    fuzz::RunOddsTarget(Target, data, size);
    return 0;
}
