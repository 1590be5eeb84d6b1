#include "fuzz/FuzzInput.h"

namespace mv::fuzz {

std::vector<std::string> SplitParts(std::string_view input, std::size_t count) {
    std::vector<std::string> parts;
    while (parts.size() + 1 < count) {
        const auto at = input.find(PartSeparator);
        if (at == std::string_view::npos) {
            break;
        }
        parts.emplace_back(input.substr(0, at));
        input.remove_prefix(at + PartSeparator.size());
    }
    parts.emplace_back(input);
    parts.resize(count);
    return parts;
}

std::string JoinParts(const std::vector<std::string>& parts) {
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        joined += (i == 0 ? "" : std::string(PartSeparator)) + parts[i];
    }
    return joined;
}

} // namespace mv::fuzz
