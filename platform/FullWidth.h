#pragma once

#include <string>

namespace mv {

// Every single-byte character of a code page 932 text replaced by its full-width double-byte
// form (blank to the full-width space, ASCII to full-width, half-width katakana to full-width,
// a katakana with a following voiced or semi-voiced mark to the combined character where one
// exists); double-byte characters unchanged. On Windows it is the system's mapping for the
// user's locale.
std::string ToFullWidth(const std::string& text);

// The portable emulation of that mapping for the Japanese locale, the same on every system.
std::string PortableToFullWidth(const std::string& text);

} // namespace mv
