// The results panel from an arbitrary results file; its size decides the payout columns.

#include "common/Tables.h"
#include "fuzz/Contract.h"
#include "fuzz/FuzzFolder.h"
#include "fuzz/FuzzInput.h"
#include "odds/Results.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mv;
    using namespace mv::fuzz;
    MainFormState state = FuzzFolder::Get().RaceWith({{KindKs, std::string(Bytes(data, size))}});
    if (ExpectContract([&] { ShowResults(state); }, ReaderFailures) &&
        state.window.MemoSeiseki.empty()) {
        Finding("a results file read without failure left the panel empty");
    }
    return 0;
}
