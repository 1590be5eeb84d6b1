#pragma once

// The names of the two caches of each odds panel, next to the executable: written when a race
// is shown, read whenever a panel switches between its sorted and normal view.

namespace mv {

struct OddsCacheNames {
    const char* sorted; // by odds, with popularity ranks
    const char* normal; // by combination, grouped by the first number
};

inline constexpr OddsCacheNames BracketQuinellaCaches{"MvZOSo.dat", "MvZONo.dat"};
inline constexpr OddsCacheNames QuinellaCaches{"MvUOSo.dat", "MvUONo.dat"};
inline constexpr OddsCacheNames WideCaches{"MvKOSo.dat", "MvKONo.dat"};

} // namespace mv
