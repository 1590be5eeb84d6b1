#pragma once

#include <string>

namespace mv {

// Every single-byte character of a code page 932 text replaced by its full-width double-byte
// form (blank to the full-width space, ASCII to full-width, half-width katakana to full-width,
// a katakana with a following voiced or semi-voiced mark to the combined character where one
// exists); double-byte characters unchanged.
std::string ToFullWidth(const std::string& text);

} // namespace mv
