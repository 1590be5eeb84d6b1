#pragma once

#include <string>

namespace mv {

// The application title of message boxes: the executable's file name without its folder and
// without everything from the first ".", first character kept, the rest in lower case.
std::string ApplicationTitle(const std::string& executablePath);

} // namespace mv
