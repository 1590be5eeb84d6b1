#include "platform/NameMatch.h"

#include "platform/Codec.h"

namespace mv {
namespace {

bool Matches(const std::string& pattern, std::size_t p, const std::string& name, std::size_t n) {
    while (p < pattern.size()) {
        if (pattern[p] == '*') {
            for (std::size_t k = n; k <= name.size();
                 k += (k < name.size() ? CharacterLength(name, k) : 1)) {
                if (Matches(pattern, p + 1, name, k)) {
                    return true;
                }
            }
            return false;
        }
        if (n >= name.size()) {
            return false;
        }
        const std::size_t nl = CharacterLength(name, n);
        if (pattern[p] == '?') {
            ++p;
        } else {
            const std::size_t pl = CharacterLength(pattern, p);
            if (pl != nl || pattern.compare(p, pl, name, n, nl) != 0) {
                return false;
            }
            p += pl;
        }
        n += nl;
    }
    return n == name.size();
}

} // namespace

bool MatchesPattern(const std::string& pattern, const std::string& name) {
    return Matches(pattern, 0, name, 0);
}

} // namespace mv
