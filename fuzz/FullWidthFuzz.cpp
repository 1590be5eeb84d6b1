// The full-width mapping of arbitrary bytes never fails, and its result is already full
// width: a second mapping changes only the "?" left for marks that could not be combined,
// which then becomes the full-width "？" as any "?" does.

#include "fuzz/Contract.h"
#include "fuzz/FuzzInput.h"
#include "platform/Codec.h"
#include "platform/FullWidth.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mv;
    using namespace mv::fuzz;
    const std::string text(Bytes(data, size));
    std::string once, twice;
    ExpectContract(
        [&] {
            once = ToFullWidth(text);
            twice = ToFullWidth(once);
        },
        {});
    // No second byte of a double-byte character is "?" (they start at 0x40), so the single
    // "?" bytes are exactly the marks left by the first mapping.
    static const std::string fullQuestion = Sjis("？");
    std::string expected;
    for (const char c : once) {
        expected += c == '?' ? fullQuestion : std::string(1, c);
    }
    if (twice != expected) {
        Finding("the full-width mapping of a full-width text changed it");
    }
    return 0;
}
