#include "calc/numbertext.h"

#include "tests/support/printcase.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct NumberCase {
    const char* name;
    std::int64_t value;
    const char* text;
};

void PrintTo(const NumberCase& c, std::ostream* os) { PrintCase(os, c.name, std::to_string(c.value)); }

class NumberTextTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberTextTest, MatchesReportForm)
{
    EXPECT_EQ(NumberText(GetParam().value), GetParam().text);
    EXPECT_EQ(NumberText(mpz_class(std::to_string(GetParam().value))), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, NumberTextTest,
    ::testing::Values(NumberCase{"zero", 0, " 0"}, NumberCase{"twelve", 12, " 12"},
        NumberCase{"negative", -7, "-7"}, NumberCase{"lowest32", -2147483648LL, "-2147483648"},
        NumberCase{"large", 2147490075LL, " 2147490075"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FieldCase {
    const char* name;
    int width;
    std::int64_t value;
    const char* text;
};

void PrintTo(const FieldCase& c, std::ostream* os)
{
    PrintCase(os, c.name, std::to_string(c.width) + ", " + std::to_string(c.value));
}

class FieldTextTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldTextTest, RightAlignsAndKeepsLastColumns)
{
    EXPECT_EQ(FieldText(GetParam().width, GetParam().value), GetParam().text);
    std::string appended = "x";
    AppendFieldText(appended, GetParam().width, GetParam().value);
    EXPECT_EQ(appended, std::string("x") + GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, FieldTextTest,
    ::testing::Values(FieldCase{"one_digit", 3, 1, "  1"}, FieldCase{"fills_blank", 3, 12, " 12"},
        FieldCase{"exact_width", 3, 109, "109"}, FieldCase{"too_wide_keeps_tail", 3, 1234, "234"},
        FieldCase{"negative", 4, -5, "  -5"}, FieldCase{"negative_cut", 3, -2147483648LL, "648"},
        FieldCase{"zero_width4", 4, 0, "   0"}, FieldCase{"blank_cut", 2, 12, "12"},
        FieldCase{"lowest_64bit", 4, INT64_MIN, "5808"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
