#pragma once

// The race card rows: the runner records of the race card, body-weight and win/place odds
// files merged per runner slot, keyed by odds and ranked by popularity.

#include "common/MainFormState.h"
#include "common/Tables.h"
#include "platform/TextFile.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace mv {

// Widths of the fields that are set or tested as a whole run of blanks.
inline constexpr std::size_t WinOddsWidth = 10;
inline constexpr std::size_t PlaceOddsWidth = 12;
inline constexpr std::size_t RemarksWidth = 20;

// The remarks of a scratched runner (UTF-8; "●出走取消" and 10 blanks, 20 bytes in code page
// 932). Any of the three files can set it; the merge keys the runner as scratched by it.
inline constexpr std::string_view ScratchedRemarksText = "●出走取消          ";

struct TRunnerRow {
    std::string Bracket = std::string(1, ' ');
    std::string HorseNo = std::string(2, ' ');
    std::string WinOdds = std::string(WinOddsWidth, ' ');
    std::string PlaceOdds = std::string(PlaceOddsWidth, ' ');
    std::string HorseName = std::string(18, ' ');
    std::string BodyWeight = std::string(3, ' ');
    std::string WeightChange = std::string(4, ' ');
    std::string ApprenticeMark = std::string(3, ' ');
    std::string Jockey = std::string(18, ' ');
    std::string WeightCarried = std::string(4, ' ');
    std::string Remarks = std::string(RemarksWidth, ' ');
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
