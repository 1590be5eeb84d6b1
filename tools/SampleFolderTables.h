#pragma once

// The texts the sample folder is made of: horse and jockey name parts and the race programme
// of a meeting day. All names are invented. Texts are UTF-8 here; the generator converts them.

#include <array>
#include <span>
#include <string_view>

namespace mv::sample {

// Half-width katakana name parts; a horse is a prefix and a suffix that fit 18 bytes together.
std::span<const std::string_view> HorseNamePrefixes();
std::span<const std::string_view> HorseNameSuffixes();
// Names written in full-width katakana, as a few horses are.
std::span<const std::string_view> FullWidthHorseNames();

std::span<const std::string_view> JockeySurnames();
std::span<const std::string_view> JockeyGivenNames();

// One race of the day's programme.
struct Programme {
    std::string_view surface;    // "芝" turf or "ダ" dirt; the course adds the direction
    int distance;                // metres
    std::string_view name;       // at most 14 full-width characters
    std::string_view conditions; // at most 14 full-width characters
    int weightCarried;           // kg for a colt, before allowances
    bool debut;                  // for horses that have never run
};

// Races 1 to 12 of every sample meeting, index 0 for race 1.
const std::array<Programme, 12>& DayProgramme();

} // namespace mv::sample
