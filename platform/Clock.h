#pragma once

// The local time of day, as the viewer tells the user when something was read.

#include <string>

namespace mv {

// "HH:MM:SS" of the local time now.
std::string TimeOfDayNow();

} // namespace mv
