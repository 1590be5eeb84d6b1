#pragma once

// The sort weights of the system's Japanese locale, recorded from the system itself (see
// platform/CollationData.cpp, which scripts/record-locale.sh writes): the sort key of every
// character code page 932 reads, except the ideographs and the private characters, whose
// weights follow a rule.

#include <cstddef>
#include <cstdint>

namespace mv {

struct RecordedKey {
    char16_t character;
    const char* key; // the system's sort key of the character alone, without its final NUL
    std::size_t length;
};

// Ordered by character.
extern const RecordedKey RecordedKeys[];
extern const std::size_t RecordedKeyCount;

// The first-level weights of the ideographs, in the order of their first code page 932 code:
// the first one, then for each next one how many weights further it lies ('1'-'9'; a weight's
// second byte runs 0x02-0xFF before the first byte moves on).
extern const std::uint16_t FirstIdeographWeight;
extern const char IdeographSteps[];

} // namespace mv
