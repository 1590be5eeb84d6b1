// The race header from five arbitrary data files of one race (parts in kind order; an empty
// part means the probe did not find that kind).

#include "common/Tables.h"
#include "fuzz/Contract.h"
#include "fuzz/FuzzFolder.h"
#include "fuzz/FuzzInput.h"
#include "racecard/RaceHeader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mv;
    using namespace mv::fuzz;
    const auto parts = SplitParts(Bytes(data, size), FileKinds);
    std::vector<std::pair<int, std::string>> files;
    for (int kind = 1; kind <= FileKinds; ++kind) {
        if (!parts[static_cast<std::size_t>(kind - 1)].empty()) {
            files.emplace_back(kind, parts[static_cast<std::size_t>(kind - 1)]);
        }
    }
    MainFormState state = FuzzFolder::Get().RaceWith(files);
    ExpectContract([&] { ShowRaceHeader(state); }, ReaderFailures);
    return 0;
}
