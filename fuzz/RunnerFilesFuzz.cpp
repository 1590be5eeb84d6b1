// The race card from arbitrary race card, body-weight and win/place odds files (three parts,
// an empty one absent): read, merged, ranked, cached and shown in both orders.

#include "common/Tables.h"
#include "fuzz/Contract.h"
#include "fuzz/FuzzFolder.h"
#include "fuzz/FuzzInput.h"
#include "racecard/RaceCard.h"
#include "racecard/RunnerRows.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mv;
    using namespace mv::fuzz;
    const auto parts = SplitParts(Bytes(data, size), 3);
    std::vector<std::pair<int, std::string>> files;
    for (const int kind : {KindDe, KindUt, KindZo}) {
        if (!parts[static_cast<std::size_t>(kind - 1)].empty()) {
            files.emplace_back(kind, parts[static_cast<std::size_t>(kind - 1)]);
        }
    }
    MainFormState state = FuzzFolder::Get().RaceWith(files);
    Lines ranked;
    const bool read = ExpectContract(
        [&] {
            RaceCardRows rows = ReadRunnerFiles(state);
            ranked = RankRunners(MergeRunnerRows(rows));
        },
        ReaderFailures);
    if (!read) {
        return 0;
    }
    if (ranked.size() != Runners) {
        Finding("the ranking lost or added a runner");
    }
    // Writing and reading back the caches may not fail on any content.
    ExpectContract(
        [&] {
            WriteRaceCardCaches(state, ranked);
            for (const char* order : {"True", "false"}) {
                state.settings.Tsort = order;
                ShowRaceCard(state);
            }
        },
        {});
    return 0;
}
