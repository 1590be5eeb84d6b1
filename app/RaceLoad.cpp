#include "app/RaceLoad.h"

#include "common/Tables.h"
#include "odds/CombinationOdds.h"
#include "odds/OddsPanels.h"
#include "odds/Results.h"
#include "racecard/RaceCard.h"
#include "racecard/RunnerRows.h"

namespace mv {

void LoadRaceData(MainFormState& state) {
    RaceCardRows rows = ReadRunnerFiles(state);
    const Lines rankedLines = RankRunners(MergeRunnerRows(rows));
    WriteRaceCardCaches(state, rankedLines);

    const Selection& s = state.selection;
    if (s.HasFile(s.CurRace, KindZo)) {
        ReadBracketQuinellaOdds(state);
    } else {
        WriteBracketQuinellaNoData(state);
    }
    if (s.HasFile(s.CurRace, KindUo)) {
        ReadQuinellaOdds(state);
        ReadWideOdds(state);
    } else {
        WriteQuinellaWideNoData(state);
    }
    ShowResults(state);

    ShowRaceCard(state);
    ShowOdds1(state);
    ShowOdds2(state);
    ShowOdds3(state);
}

} // namespace mv
