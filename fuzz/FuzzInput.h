#pragma once

// How one fuzz input carries several files: the parts between separators, in order. The
// separator is two bytes that no code page 932 text holds, so a seed never contains it by
// accident.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mv::fuzz {

inline constexpr std::string_view PartSeparator = "\xFE\xFF";

// The input as text.
inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Exactly count parts; missing ones are empty, anything after the last separator used
// belongs to the last part.
std::vector<std::string> SplitParts(std::string_view input, std::size_t count);

// The parts joined as SplitParts takes them apart.
std::string JoinParts(const std::vector<std::string>& parts);

} // namespace mv::fuzz
