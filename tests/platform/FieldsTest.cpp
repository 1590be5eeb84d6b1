#include "platform/Fields.h"

#include "platform/Codec.h"
#include "platform/Failure.h"
#include "support/ParamName.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace mv {
namespace {

TEST(Field, YieldsOnlyTheBytesThatExist) {
    const std::string line = "0123456789";
    EXPECT_EQ(Field(line, 1, 3), "012");
    EXPECT_EQ(Field(line, 9, 2), "89");
    EXPECT_EQ(Field(line, 9, 5), "89");
    EXPECT_EQ(Field(line, 10, 1), "9");
    EXPECT_EQ(Field(line, 11, 1), "");
    EXPECT_EQ(Field(line, 500, 2), "");
    EXPECT_EQ(Field("", 1, 4), "");
}

TEST(Field, CountsBytesNotCharacters) {
    const std::string line = Sjis("東京ﾄﾘ");
    EXPECT_EQ(Field(line, 3, 2), Sjis("京"));
    EXPECT_EQ(Field(line, 5, 2), Sjis("ﾄﾘ"));
    EXPECT_EQ(Field(line, 2, 2), std::string("\x8C\x8B")); // half of each kanji, as stored
}

struct IntCase {
    const char* name;
    const char* text;
    long long value; // LLONG_MIN: the conversion fails
};

class StrToIntStrictTest : public testing::TestWithParam<IntCase> {};

TEST_P(StrToIntStrictTest, ConvertsOrFailsWithTheText) {
    const auto& c = GetParam();
    if (c.value == LLONG_MIN) {
        try {
            StrToIntStrict(c.text);
            FAIL() << "accepted " << c.text;
        } catch (const Failure& f) {
            EXPECT_EQ(f.kind(), Failure::Kind::NotInteger);
            EXPECT_EQ(f.message(), Failure::NotInteger(c.text).message());
        }
    } else {
        EXPECT_EQ(StrToIntStrict(c.text), c.value);
    }
}

constexpr long long Fails = LLONG_MIN;

INSTANTIATE_TEST_SUITE_P(
    Fields, StrToIntStrictTest,
    testing::Values(
        IntCase{"leading_zero", "05", 5}, IntCase{"leading_blank", " 5", 5},
        IntCase{"trailing_blank", "5 ", Fails}, IntCase{"empty", "", Fails},
        IntCase{"blanks_only", "  ", Fails}, IntCase{"plus", "+7", 7}, IntCase{"minus", "-12", -12},
        IntCase{"blank_then_sign", "  -3", -3}, IntCase{"sign_then_blank", "- 3", Fails},
        IntCase{"sign_only", "-", Fails}, IntCase{"dollar_hex", "$1F", 31},
        IntCase{"x_hex", "xff", 255}, IntCase{"capital_x_hex", "X10", 16},
        IntCase{"zero_x_hex", "0x1a", 26}, IntCase{"zero_capital_x_hex", "0XA", 10},
        IntCase{"negative_hex", "-$10", -16}, IntCase{"prefix_without_digits", "0x", Fails},
        IntCase{"hex_digit_without_prefix", "1a", Fails}, IntCase{"max", "2147483647", 2147483647},
        IntCase{"above_max", "2147483648", Fails}, IntCase{"min", "-2147483648", -2147483648LL},
        IntCase{"below_min", "-2147483649", Fails},
        IntCase{"huge", "99999999999999999999999", Fails},
        IntCase{"hex_above_max", "$80000000", Fails}, IntCase{"decimal_point", "1.0", Fails},
        IntCase{"tab", "\t1", Fails}, IntCase{"full_width_digit", "\x82\x54", Fails}),
    test::ByName());

struct FloatCase {
    const char* name;
    const char* text;
    double value; // NaN: the conversion fails
};

class StrToFloatStrictTest : public testing::TestWithParam<FloatCase> {};

TEST_P(StrToFloatStrictTest, ConvertsOrFailsWithTheText) {
    const auto& c = GetParam();
    if (std::isnan(c.value)) {
        try {
            StrToFloatStrict(c.text);
            FAIL() << "accepted " << c.text;
        } catch (const Failure& f) {
            EXPECT_EQ(f.kind(), Failure::Kind::NotFloat);
            EXPECT_EQ(f.message(), Failure::NotFloat(c.text).message());
        }
    } else {
        EXPECT_DOUBLE_EQ(StrToFloatStrict(c.text), c.value);
    }
}

const double Refused = std::nan("");
const double Infinity = std::numeric_limits<double>::infinity();
const std::string ManyNines(5000, '9');

INSTANTIATE_TEST_SUITE_P(
    Fields, StrToFloatStrictTest,
    testing::Values(FloatCase{"right_aligned_odds", "  3.4", 3.4},
                    FloatCase{"key_head", "  12.5", 12.5}, FloatCase{"zero", "  0.0", 0.0},
                    FloatCase{"one", "  1.0", 1.0}, FloatCase{"trailing_blanks", "1.5   ", 1.5},
                    FloatCase{"integer", "7", 7.0}, FloatCase{"sign", "-2.5", -2.5},
                    FloatCase{"plus_sign", "+2", 2.0}, FloatCase{"exponent", "1.5E2", 150.0},
                    FloatCase{"negative_exponent", " 25e-1 ", 2.5},
                    FloatCase{"leading_point", ".5", 0.5}, FloatCase{"trailing_point", "5.", 5.0},
                    FloatCase{"empty", "", Refused}, FloatCase{"blanks", "      ", Refused},
                    FloatCase{"point_only", " . ", Refused},
                    FloatCase{"exponent_without_digits", "1e", Refused},
                    FloatCase{"comma", "1,5", Refused}, FloatCase{"letters", "abc", Refused},
                    FloatCase{"cancelled", " \xC4\xD8\xB9\xBC", Refused},
                    FloatCase{"inner_blank", "1 .5", Refused}, FloatCase{"hex", "0x10", Refused},
                    FloatCase{"infinity", "inf", Refused},
                    // Digits with an exponent are a number, however far beyond a double's
                    // range: too large is infinity, too small zero.
                    FloatCase{"overflow", "1e999", Infinity},
                    FloatCase{"negative_overflow", " -1.5E999 ", -Infinity},
                    FloatCase{"underflow", "1e-400", 0.0}, FloatCase{"subnormal", "1e-310", 1e-310},
                    FloatCase{"overflow_beyond_every_type", "0.01e99999", Infinity},
                    FloatCase{"underflow_beyond_every_type", "1000e-99999", 0.0},
                    FloatCase{"zero_with_a_huge_exponent", "0.0e99999", 0.0},
                    FloatCase{"many_digits_no_exponent", ManyNines.c_str(), Infinity},
                    FloatCase{"place_part_only", "      -", Refused}),
    test::ByName());

TEST(DecimalText, HasNoPaddingAndASignForNegatives) {
    EXPECT_EQ(DecimalText(0), "0");
    EXPECT_EQ(DecimalText(42), "42");
    EXPECT_EQ(DecimalText(-7), "-7");
}

} // namespace
} // namespace mv
