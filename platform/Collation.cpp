// PLACEHOLDER: byte order until the locale comparison lands.
#include "platform/Collation.h"

#include <algorithm>

namespace mv {
int CompareRowText(const std::string& a, const std::string& b) { return a.compare(b); }
void SortRows(std::vector<std::string>& rows) { std::sort(rows.begin(), rows.end()); }
} // namespace mv
