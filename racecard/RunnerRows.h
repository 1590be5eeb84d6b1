#pragma once

// The race card rows: the runner records of the race card, body-weight and win/place odds
// files merged per runner slot, keyed by odds and ranked by popularity.

#include "app/MainFormState.h"
#include "app/Tables.h"
#include "platform/TextFile.h"

#include <array>
#include <string>

namespace mv {

struct TRunnerRow {
    std::string Bracket = std::string(1, ' ');
    std::string HorseNo = std::string(2, ' ');
    std::string WinOdds = std::string(10, ' ');
    std::string PlaceOdds = std::string(12, ' ');
    std::string HorseName = std::string(18, ' ');
    std::string BodyWeight = std::string(3, ' ');
    std::string WeightChange = std::string(4, ' ');
    std::string ApprenticeMark = std::string(3, ' ');
    std::string Jockey = std::string(18, ' ');
    std::string WeightCarried = std::string(4, ' ');
    std::string Remarks = std::string(20, ' ');
    std::string SlotNo = std::string(2, ' ');
};

// Runner slots 1..18 at index 0..17.
using RaceCardRows = std::array<TRunnerRow, Runners>;

// Reads line 1 of the race card, body-weight and odds files of the current race (those the
// probe found), in this order, into the 18 slots.
RaceCardRows ReadRunnerFiles(const MainFormState& state);

// One text per slot, in slot order, headed by its odds key; marks the runners the odds file
// shows as scratched.
Lines MergeRunnerRows(RaceCardRows& rows);

// The race card lines in popularity order, each with its rank.
Lines RankRunners(Lines mergedRows);

} // namespace mv
