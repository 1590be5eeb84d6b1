// The wide odds of a quinella and wide file.

#include "common/Tables.h"
#include "fuzz/OddsFuzz.h"
#include "odds/CombinationOdds.h"
#include "odds/OddsPanels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mv;
    static constexpr fuzz::OddsTarget Target{KindUo, ReadWideOdds, &TSettings::Ksort, ShowOdds3};
    fuzz::RunOddsTarget(Target, data, size);
    return 0;
}
