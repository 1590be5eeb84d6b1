#include "platform/Fields.h"

#include "platform/Failure.h"

#include <charconv>
#include <cmath>
#include <cstdint>

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

} // namespace

std::string Field(const std::string& line, std::size_t position, std::size_t length) {
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
    double value = 0;
    const auto result = std::from_chars(text.data() + from, text.data() + end, value);
    if (result.ec != std::errc() || !std::isfinite(value)) {
        throw Failure::NotFloat(text);
    }
    return value;
}

std::string DecimalText(long long value) {
    return std::to_string(value);
}

} // namespace mv
