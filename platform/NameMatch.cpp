#include "platform/NameMatch.h"

#include "platform/Codec.h"

namespace mv {

// One pass over the name: on a mismatch after a "*", that "*" takes one more character of the
// name and the rest of the pattern is tried again from there. Only the last "*" needs
// revisiting, since any run that an earlier one could take the later one can take as well;
// so the work is bounded by the lengths' product, however many "*" the pattern holds.
bool MatchesPattern(const std::string& pattern, const std::string& name) {
    constexpr std::size_t None = std::string::npos;
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t afterStar = None; // where the pattern resumes after the last "*"
    std::size_t starTook = 0;     // where the name stood when that "*" was last retried
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            afterStar = ++p;
            starTook = n;
            continue;
        }
        const std::size_t nl = CharacterLength(name, n);
        if (p < pattern.size()) {
            if (pattern[p] == '?') {
                ++p;
                n += nl;
                continue;
            }
            const std::size_t pl = CharacterLength(pattern, p);
            if (pl == nl && pattern.compare(p, pl, name, n, nl) == 0) {
                p += pl;
                n += nl;
                continue;
            }
        }
        if (afterStar == None) {
            return false;
        }
        starTook += CharacterLength(name, starTook);
        n = starTook;
        p = afterStar;
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace mv
