#pragma once

// The constant tables of the viewer, indexed from 1 as the data files count.

#include <string>

namespace mv {

// The five kinds of race data file.
enum FileKind : int { KindDe = 1, KindUt = 2, KindZo = 3, KindUo = 4, KindKs = 5 };
inline constexpr int FileKinds = 5;
inline constexpr int Races = 12;
inline constexpr int VenueSlots = 6;
inline constexpr int Runners = 18;
inline constexpr int VenueCodes = 10;

// A venue code the tables know (1..10).
constexpr bool IsVenueCode(int code) {
    return code >= 1 && code <= VenueCodes;
}

// "De-", "Ut-", "Zo-", "Uo-", "Ks-" for kind 1..5.
const std::string& KindPrefix(int kind);
// " 1" … " 9", "10" … "18" for 1..18.
const std::string& HorseNoText(int n);
// "1" … "9", "a" for venue code 1..10.
const std::string& VenueDigit(int venueCode);
// 札幌, 函館, 福島, 新潟, 東京, 中山, 中京, 京都, 阪神, 小倉 for venue code 1..10.
const std::string& VenueName(int venueCode);
// "1" … "9", "a" … "f" for 1..15.
const std::string& CodeDigit(int n);

} // namespace mv
