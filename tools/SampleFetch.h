#pragma once

// The next fetch of odds, as the betting software writes it into its folder: the market of a
// sample race moved a step (each price on sale nudged by a seeded generator, the odds time a
// few minutes on), written in one of the ways a writer replaces a file.

#include "tools/SampleFolder.h"

#include <chrono>
#include <string>

namespace mv::sample {

// The two odds files of a race after `step` fetches: step 0 is the race as the sample has it.
WinPlaceBracketFile WinPlaceAfter(const SampleMeeting& meeting, const SampleRace& race, int step);
QuinellaWideFile QuinellaWideAfter(const SampleMeeting& meeting, const SampleRace& race, int step);

enum class WriteWay {
    InPlace,          // truncated and written at once
    InPieces,         // truncated, then written in three pieces with a pause between them
    ThroughRename,    // written to a temporary name, then renamed over the file
    DeleteThenCreate, // removed, and after a pause written anew
};

// Line 1 and CR LF as the whole file folder + name (folder ends with the separator).
void WriteDataFileAs(const std::string& folder, const std::string& name, const std::string& line,
                     WriteWay way, std::chrono::milliseconds pause);

// Writes the odds files ("Zo-", "Uo-") of one race of the meeting after `step` fetches; a race
// without one of them gets none.
void WriteFetch(const std::string& folder, const SampleMeeting& meeting, int race, int step,
                WriteWay way, std::chrono::milliseconds pause);

} // namespace mv::sample
