#include "storage/NumberText.h"

#include <gtest/gtest.h>

#include <limits>

namespace twistor::storage {
namespace {

struct WholeCase {
    long long value;
    const char* text;
};

class WholeText : public ::testing::TestWithParam<WholeCase> {};

TEST_P(WholeText, IsWrittenWithSignOrBlankAndOneBlankAfter) {
    std::string out;
    AppendNumber(out, GetParam().value);
    EXPECT_EQ(out, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, WholeText,
    ::testing::Values(WholeCase{0, " 0 "}, WholeCase{15, " 15 "}, WholeCase{10000, " 10000 "},
                      WholeCase{-1, "-1 "}, WholeCase{-42, "-42 "},
                      WholeCase{std::numeric_limits<long long>::min(), "-9223372036854775808 "}));

struct DecimalCase {
    double value;
    const char* text;
};

class DecimalText : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalText, DropsTheLeadingZeroAndReadsBackExactly) {
    std::string out;
    AppendNumber(out, GetParam().value);
    EXPECT_EQ(out, GetParam().text);

    const auto back = ParseDecimal(ValueScanner(out).Next().value_or(""));
    ASSERT_TRUE(back.ok()) << out;
    EXPECT_EQ(back.value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Values, DecimalText,
                         ::testing::Values(DecimalCase{0.0, " 0 "}, DecimalCase{-0.0, " 0 "},
                                           DecimalCase{3.0, " 3 "}, DecimalCase{0.5, " .5 "},
                                           DecimalCase{-0.5, "-.5 "}, DecimalCase{12.5, " 12.5 "},
                                           DecimalCase{99.0, " 99 "}, DecimalCase{0.1, " .1 "},
                                           DecimalCase{1.0 / 3, " .3333333333333333 "},
                                           DecimalCase{0.001, " .001 "},
                                           DecimalCase{1e21, " 1000000000000000000000 "}));

struct ParseCase {
    const char* token;
    NumberError wholeError;
    long long whole;
    NumberError decimalError;
    double decimal;
};

class ValueParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ValueParsing, WholeAndDecimalReadersAgreeOnWhatIsANumber) {
    const ParseCase& c = GetParam();
    const auto whole = ParseWhole(c.token);
    EXPECT_EQ(whole.error, c.wholeError);
    if (whole.ok()) {
        EXPECT_EQ(whole.value, c.whole);
    }
    const auto decimal = ParseDecimal(c.token);
    EXPECT_EQ(decimal.error, c.decimalError);
    if (decimal.ok()) {
        EXPECT_EQ(decimal.value, c.decimal);
    }
}

constexpr auto kOk = NumberError::None;
constexpr auto kNaN = NumberError::NotANumber;
constexpr auto kRange = NumberError::OutOfRange;

INSTANTIATE_TEST_SUITE_P(
    Tokens, ValueParsing,
    ::testing::Values(ParseCase{"3", kOk, 3, kOk, 3}, ParseCase{"-5", kOk, -5, kOk, -5},
                      ParseCase{"+7", kOk, 7, kOk, 7}, ParseCase{"007", kOk, 7, kOk, 7},
                      ParseCase{".5", kNaN, 0, kOk, 0.5}, ParseCase{"12.0", kNaN, 0, kOk, 12},
                      ParseCase{"1e2", kNaN, 0, kOk, 100}, ParseCase{"2.5E-1", kNaN, 0, kOk, 0.25},
                      ParseCase{"", kNaN, 0, kNaN, 0}, ParseCase{"-", kNaN, 0, kNaN, 0},
                      ParseCase{"+", kNaN, 0, kNaN, 0}, ParseCase{"1e", kNaN, 0, kNaN, 0},
                      ParseCase{"1-", kNaN, 0, kNaN, 0}, ParseCase{"--1", kNaN, 0, kNaN, 0},
                      ParseCase{"0x1A", kNaN, 0, kNaN, 0}, ParseCase{"inf", kNaN, 0, kNaN, 0},
                      ParseCase{"1 2", kNaN, 0, kNaN, 0}, ParseCase{"abc", kNaN, 0, kNaN, 0},
                      ParseCase{"999999999999999999", kOk, 999999999999999999, kOk, 1e18},
                      ParseCase{"0000000000000000000000012", kOk, 12, kOk, 12},
                      ParseCase{"9999999999999999999", kRange, 0, kOk, 1e19},
                      ParseCase{"-99999999999999999999999999", kRange, 0, kOk, -1e26},
                      ParseCase{"1e999", kNaN, 0, kRange, 0}));

TEST(ValueScanner, SplitsOnRunsOfBlanksCommasAndLineEnds) {
    ValueScanner scanner("  1,,2 \t3\r\n\n4,");
    std::vector<std::string_view> values;
    while (const auto v = scanner.Next()) values.push_back(*v);
    EXPECT_EQ(values, (std::vector<std::string_view>{"1", "2", "3", "4"}));
}

TEST(Quote, EscapesControlBytesAndCutsLongValues) {
    EXPECT_EQ(Quote("ab"), "\"ab\"");
    EXPECT_EQ(Quote(std::string_view("a\0b\x7f\xc3", 5)), "\"a\\x00b\\x7f\\xc3\"");
    EXPECT_EQ(Quote(std::string(100, '9')), "\"" + std::string(24, '9') + "...\"");
}

}  // namespace
}  // namespace twistor::storage
