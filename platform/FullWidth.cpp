// PLACEHOLDER until the full-width mapping lands.
#include "platform/FullWidth.h"

namespace mv {
std::string ToFullWidth(const std::string& text) { return text; }
} // namespace mv
