#pragma once

// A sample of the betting software's folder for tests, the demo and benchmarks: three meetings
// (slots 1, 2 and the day-before slot 4) of 12 races each, with the odd cases the viewer has
// to handle placed in fixed races:
//
//   slot 1 (東京)   race 2 full-width horse names; race 3 a runner scratched in the race card,
//                  refunded; race 5 a jockey change; race 7 a runner scratched in the body
//                  weights only, refunded, and a jockey change; race 9 a dead heat for first;
//                  race 11 a runner whose odds are below 1.0 (" 0.0"); race 12 no results yet
//   slot 2 (京都)   results files larger than 800 bytes (payouts moved by two columns);
//                  race 1 results only; race 5 race card and win/place odds only;
//                  race 9 no quinella/wide odds
//   slot 4 (中山前日) race 4 full-width horse names; race 8 a dead heat; race 12 a jockey
//                  change
//
// Every race has 16 to 18 runners. The values (names, odds, weights, finishing order) come
// from a small seeded generator, so a seed always gives the same folder.

#include "tools/SampleWriters.h"

#include <optional>
#include <string>
#include <vector>

namespace mv::sample {

inline constexpr unsigned DefaultSampleSeed = 3620u;

// The files of one race; a kind the race lacks is empty.
struct SampleRace {
    int number = 0;                               // 1..12
    std::optional<RaceCardFile> raceCard;         // "De-"
    std::optional<BodyWeightFile> bodyWeights;    // "Ut-"
    std::optional<WinPlaceBracketFile> winPlace;  // "Zo-"
    std::optional<QuinellaWideFile> quinellaWide; // "Uo-"
    std::optional<ResultsFile> results;           // "Ks-"
};

struct SampleMeeting {
    int slot = 0; // 1..6
    MeetingKeys keys;
    MeetingIndexFile index;
    std::vector<SampleRace> races; // races 1..12 in order
};

// The content of the sample folder, as the writers take it.
std::vector<SampleMeeting> SampleMeetings(unsigned seed = DefaultSampleSeed);

// Writes the meeting index and the race files of one meeting into folder (code page 932,
// ending with "/").
void WriteSampleMeeting(const std::string& folder, const SampleMeeting& meeting);

// Writes every file of SampleMeetings(seed) into folder (code page 932, ending with "/").
void WriteSampleFolder(const std::string& folder, unsigned seed = DefaultSampleSeed);

} // namespace mv::sample
