#pragma once

// One race of a meeting in slot 1, in a temporary betting-software folder, with a temporary
// program folder for the caches and the state the race card stages work on.

#include "common/MainFormState.h"
#include "support/TempFolder.h"
#include "tools/SampleWriters.h"

#include <functional>
#include <string>

namespace mv::test {

class RaceFolder {
public:
    static constexpr sample::MeetingKeys Keys{5, 2, 6, 1};
    static constexpr int Race = 11;

    RaceFolder();

    // Writes line 1 as the race's data file of that kind and marks the file as found.
    void Write(sample::Kind kind, const std::string& line);

    TempFolder pat;
    TempFolder program;
    MainFormState state;
};

// The message of the failure the action ends with, or "no failure".
std::string FailureOf(const std::function<void()>& action);

// The bytes first..last (1-based, inclusive) of a line; those past its end are missing.
std::string Bytes(const std::string& line, std::size_t first, std::size_t last);

// A race header every kind can write: 2024-05-05, 東京, meeting 2, day 6, race 11.
sample::RaceHeader Header();

// Complete files of `runners` runners (slots 1..runners, horse number = slot, all running at
// distinct odds; the other slots blank), to be changed field by field by each test.
sample::RaceCardFile RaceCard(int runners);
sample::BodyWeightFile BodyWeights(int runners);
sample::WinPlaceBracketFile WinPlace(int runners);

} // namespace mv::test
