#pragma once

// Fixed-column fields and the strict number conversions of the data files.

#include <cstddef>
#include <string>
#include <string_view>

namespace mv {

// A field of a fixed-column record: every record layout is one table of these.
struct ByteSpan {
    std::size_t position = 0; // 1-based first byte
    std::size_t length = 0;   // in bytes; 0 for a field the layout lacks
};

// The field of the 0-based slot k of a record repeated every stride bytes.
constexpr ByteSpan InSlot(ByteSpan first, std::size_t stride, std::size_t k) {
    return {first.position + stride * k, first.length};
}

// The bytes at a 1-based byte position and byte length; a field reaching past the end of the
// line yields only the bytes that exist, possibly none.
std::string Field(const std::string& line, std::size_t position, std::size_t length);
// The same bytes, seen where they lie.
std::string_view FieldView(std::string_view line, std::size_t position, std::size_t length);

// The field moved on by offset bytes (the slot of a record repeated along the line).
inline std::string Take(const std::string& line, ByteSpan span, std::size_t offset = 0) {
    return Field(line, span.position + offset, span.length);
}
inline std::string_view TakeView(std::string_view line, ByteSpan span, std::size_t offset = 0) {
    return FieldView(line, span.position + offset, span.length);
}

// Leading blanks, an optional sign, decimal digits, or hexadecimal digits after "$", "x", "X",
// "0x" or "0X"; nothing after the digits; the value must fit a signed 32-bit integer. Fails
// with "'%s' は整数ではありません".
int StrToIntStrict(const std::string& text);

// Blanks before and after, an optional sign, digits with "." as the decimal point and an
// optional exponent. Fails with "'%s' は浮動小数点数ではありません".
double StrToFloatStrict(const std::string& text);

// The decimal text of a value: no leading zeros or padding, "-" for a negative value.
std::string DecimalText(long long value);

} // namespace mv
