#include "fuzz/OddsFuzz.h"

#include "fuzz/Contract.h"
#include "fuzz/FuzzFolder.h"
#include "fuzz/FuzzInput.h"

namespace mv::fuzz {

void RunOddsTarget(const OddsTarget& target, const std::uint8_t* data, std::size_t size) {
    MainFormState state =
        FuzzFolder::Get().RaceWith({{target.kind, std::string(Bytes(data, size))}});
    if (!ExpectContract([&] { target.read(state); }, ReaderFailures)) {
        return;
    }
    // Once the caches are written, showing either of them may not fail.
    ExpectContract(
        [&] {
            for (const char* order : {"True", "false"}) {
                state.settings.*target.sortFlag = order;
                target.show(state);
            }
        },
        {});
}

} // namespace mv::fuzz
