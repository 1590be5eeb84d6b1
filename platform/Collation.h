#pragma once

// The comparison of every sort of lines: the Japanese locale's word sort of two code page 932
// texts with letter case ignored, by levels over the whole text (base letters, then voiced
// marks, then width, then kana size and type, then the hyphen and apostrophe that the first
// level skips).

#include <string>
#include <vector>

namespace mv {

// Negative, zero or positive as a sorts before, with or after b.
int CompareRowText(const std::string& a, const std::string& b);

// The key of a text under that comparison: two texts compare as their keys do byte by byte, so
// a list sorts with one key per text.
std::string RowSortKey(const std::string& text);

// Sorts ascending in place with CompareRowText, by quicksort (not stable).
void SortRows(std::vector<std::string>& rows);

} // namespace mv
