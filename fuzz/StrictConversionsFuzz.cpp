// The strict integer and decimal conversions on arbitrary text: a value, or exactly the
// message naming the text. An integer's decimal text reads back as itself, and a text that
// is an integer without a hexadecimal mark is also the same decimal value.

#include "fuzz/Contract.h"
#include "fuzz/FuzzInput.h"
#include "platform/Fields.h"

#include <cstdint>
#include <exception>

namespace {

// True when convert gave a value; false when it failed with exactly the expected failure.
template <typename Convert>
bool Converts(Convert convert, const mv::Failure& expected) {
    try {
        convert();
        return true;
    } catch (const mv::Failure& failure) {
        if (failure.kind() != expected.kind() || failure.message() != expected.message()) {
            mv::fuzz::Finding("a failed conversion did not name its text: " + failure.message());
        }
        return false;
    } catch (const std::exception& e) {
        mv::fuzz::Finding(std::string("exception other than a failure: ") + e.what());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace mv;
    using namespace mv::fuzz;
    const std::string text(Bytes(data, size));
    int integer = 0;
    double decimal = 0;
    const bool isInteger =
        Converts([&] { integer = StrToIntStrict(text); }, Failure::NotInteger(text));
    const bool isDecimal =
        Converts([&] { decimal = StrToFloatStrict(text); }, Failure::NotFloat(text));
    if (isInteger && StrToIntStrict(DecimalText(integer)) != integer) {
        Finding("an integer does not read back from its decimal text");
    }
    if (isInteger && text.find_first_of("$xX") == std::string::npos &&
        (!isDecimal || decimal != static_cast<double>(integer))) {
        Finding("an integer text is not the same decimal value: " + text);
    }
    return 0;
}
