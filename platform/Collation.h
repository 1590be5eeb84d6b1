#pragma once

// The comparison of every sort of lines: the user's locale comparison of two code page 932
// texts with letter case ignored. On Windows it is the system's; elsewhere it is the portable
// emulation of the Japanese locale's word sort below, by levels over the whole text (base
// letters, then voiced marks, then width, then kana size and type, then the hyphen and
// apostrophe that the first level skips).

#include <string>
#include <string_view>
#include <vector>

namespace mv {

// Negative, zero or positive as a sorts before, with or after b.
int CompareRowText(const std::string& a, const std::string& b);

// The key of a text under that comparison: two texts compare as their keys do byte by byte, so
// a list sorts with one key per text.
std::string RowSortKey(const std::string& text);
// The same key appended to out, so that the keys of a list can share one buffer.
void AppendRowSortKey(const std::string& text, std::string& out);

// Sorts ascending in place with CompareRowText, by quicksort (not stable).
void SortRows(std::vector<std::string>& rows);
// The same for views of texts held elsewhere: the same algorithm, so the same order.
void SortRows(std::vector<std::string_view>& rows);

// True where the comparison is the portable emulation below.
bool RowSortIsPortable();

// The portable emulation and its key, the same on every system.
int PortableCompareRowText(const std::string& a, const std::string& b);
std::string PortableRowSortKey(const std::string& text);
void AppendPortableRowSortKey(std::string_view text, std::string& out);

} // namespace mv
