#include "platform/Fields.h"

#include "platform/Failure.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace mv {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Where the run of blanks starting at i ends.
std::size_t SkipBlanks(const std::string& text, std::size_t i) {
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    return i;
}

// Past an optional "+" or "-" at i.
std::size_t SkipSign(const std::string& text, std::size_t i) {
    return i < text.size() && (text[i] == '+' || text[i] == '-') ? i + 1 : i;
}

// Steps i over a run of decimal digits; how many there were.
std::size_t SkipDigits(const std::string& text, std::size_t& i) {
    const std::size_t from = i;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    return i - from;
}

// The power of ten of the leading digit of a number of valid syntax (sign, digits, point,
// exponent), saturated far beyond any floating-point range.
long long LeadingPower(const std::string& number) {
    constexpr long long Limit = 1LL << 40;
    long long power = 0;
    long long digitsBeforePoint = 0;
    long long zerosAfterPoint = 0;
    bool pointSeen = false;
    bool leadingFound = false;
    std::size_t i = number[0] == '-' ? 1 : 0;
    for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        if (number[i] == '.') {
            pointSeen = true;
        } else if (!leadingFound && number[i] == '0') {
            zerosAfterPoint += pointSeen ? 1 : 0;
        } else {
            leadingFound = true;
            digitsBeforePoint += pointSeen ? 0 : 1;
        }
    }
    power = leadingFound && digitsBeforePoint > 0 ? digitsBeforePoint - 1 : -zerosAfterPoint - 1;
    if (i < number.size()) {
        const bool negative = number[i + 1] == '-';
        long long exponent = 0;
        for (std::size_t j = i + 1; j < number.size(); ++j) {
            if (IsDigit(number[j])) {
                exponent = std::min(exponent * 10 + (number[j] - '0'), Limit);
            }
        }
        power += negative ? -exponent : exponent;
    }
    return power;
}

} // namespace

std::string Field(const std::string& line, std::size_t position, std::size_t length) {
    return std::string(FieldView(line, position, length));
}

std::string_view FieldView(std::string_view line, std::size_t position, std::size_t length) {
    const std::size_t start = position == 0 ? 0 : position - 1;
    if (start >= line.size()) {
        return {};
    }
    return line.substr(start, length);
}

int StrToIntStrict(const std::string& text) {
    std::size_t i = SkipBlanks(text, 0);
    const bool negative = i < text.size() && text[i] == '-';
    i = SkipSign(text, i);
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size()) {
        throw Failure::NotInteger(text);
    }
    // The magnitude may reach 2^31 only for a negative value.
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = base == 16 ? HexValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
        if (digit < 0) {
            throw Failure::NotInteger(text);
        }
        magnitude = magnitude * base + digit;
        if (magnitude > limit) {
            throw Failure::NotInteger(text);
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

double StrToFloatStrict(const std::string& text) {
    const std::size_t n = text.size();
    std::size_t i = SkipBlanks(text, 0);
    const std::size_t start = i;
    i = SkipSign(text, i);
    std::size_t digits = SkipDigits(text, i);
    if (i < n && text[i] == '.') {
        ++i;
        digits += SkipDigits(text, i);
    }
    if (digits == 0) {
        throw Failure::NotFloat(text);
    }
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        i = SkipSign(text, i + 1);
        if (SkipDigits(text, i) == 0) {
            throw Failure::NotFloat(text);
        }
    }
    const std::size_t end = i;
    if (SkipBlanks(text, i) != n) {
        throw Failure::NotFloat(text);
    }
    // The syntax is checked above; from_chars computes the value whatever the process locale.
    std::size_t from = start;
    if (text[from] == '+') {
        ++from;
    }
    const char* first = text.data() + from;
    const char* last = text.data() + end;
    double value = 0;
    if (std::from_chars(first, last, value).ec == std::errc()) {
        return value;
    }
    // Beyond the range of a double the text still is a number: a magnitude too large is
    // infinity, one too small is zero (or the nearest value the wider type rounds it to).
    long double wide = 0;
    if (std::from_chars(first, last, wide).ec == std::errc()) {
        return static_cast<double>(wide);
    }
    const double magnitude = LeadingPower(text.substr(from, end - from)) > 0
                                 ? std::numeric_limits<double>::infinity()
                                 : 0.0;
    return text[from] == '-' ? -magnitude : magnitude;
}

std::string DecimalText(long long value) {
    return std::to_string(value);
}

} // namespace mv
