#include "calc/formula.h"

#include "tests/support/counts.h"
#include "tests/support/printcase.h"
#include "tests/support/stringwindow.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct FormulaCase {
    const char* name;
    std::string input;
    std::string shownInput;
    std::string count;
};

void PrintTo(const FormulaCase& c, std::ostream* os) { PrintCase(os, c.name, c.input); }

class CountByFormulaTest : public ::testing::TestWithParam<FormulaCase> {};

TEST_P(CountByFormulaTest, WritesInputAndCount)
{
    StringWindow w;
    w.input = GetParam().input;
    CountByFormula(w);
    EXPECT_EQ(w.input, GetParam().shownInput);
    EXPECT_EQ(w.result, GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(Inputs, CountByFormulaTest,
    ::testing::Values(FormulaCase{"design_value", "333", " 333", " 2352"}, FormulaCase{"three", "3", " 3", " 1"},
        FormulaCase{"four", "4", " 4", " 0"}, FormulaCase{"nine", "9", " 9", " 3"},
        FormulaCase{"twelve", "12", " 12", " 3"}, FormulaCase{"thirteen", "13", " 13", " 5"},
        FormulaCase{"fourteen", "14", " 14", " 4"}, FormulaCase{"twentyfive", "25", " 25", " 16"},
        FormulaCase{"zero", "0", " 0", " 0"}, FormulaCase{"one", "1", " 1", " 0"}, FormulaCase{"two", "2", " 2", " 0"},
        FormulaCase{"empty", "", " 0", " 0"}, FormulaCase{"letters", "abc", " 0", " 0"},
        FormulaCase{"negative", "-7", " 0", " 0"}, FormulaCase{"fraction", "12.9", " 12", " 3"},
        FormulaCase{"leading_number", "12abc", " 12", " 3"}, FormulaCase{"blanks_then_sign", "  +25", " 25", " 16"},
        FormulaCase{"negative_fraction", "-2.5", " 0", " 0"}, FormulaCase{"point_only", ".", " 0", " 0"},
        FormulaCase{"fraction_below_one", ".9", " 0", " 0"}, FormulaCase{"last_32bit", "321056", " 321056", " 2147436565"},
        FormulaCase{"first_beyond_32bit", "321057", " 321057", " 2147490075"},
        FormulaCase{"exponent", "7.9e2", " 790", " 13002"}, FormulaCase{"exponent_without_digits", "12e", " 12", " 3"},
        FormulaCase{"negative_exponent", "1250e-2", " 12", " 3"},
        FormulaCase{"huge_negative_exponent", "5e-999999999999999999999", " 0", " 0"},
        FormulaCase{"huge_negative_value", "-1e999999999", " 0", " 0"},
        FormulaCase{"twenty_digits", "12345678901234567891", " 12345678901234567891",
            " 3175328906924757658347304814268658234"},
        FormulaCase{"ten_to_thirty", "1e30", " 1000000000000000000000000000000",
            " 20833333333333333333333333333333333333333333333333333333333"},
        FormulaCase{"hex_prefix", "0x10", " 0", " 0"}, FormulaCase{"inner_blank", "1 2", " 1", " 0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CountByFormula, RefusesOversizeWithoutTouchingInput)
{
    for (const std::string& input : std::vector<std::string>{"1e999999999", "1e100000", std::string(100001, '7'), "9.9e100000"}) {
        StringWindow w;
        w.input = input;
        CountByFormula(w);
        EXPECT_EQ(w.input, input);
        EXPECT_EQ(w.result, kTooManyDigits);
    }
}

TEST(CountByFormula, AcceptsTheLargestAllowedSize)
{
    StringWindow w;
    w.input = "1e99999"; // 100,000 digits
    CountByFormula(w);
    EXPECT_EQ(w.input.size(), 1U + 100000U);
    ASSERT_FALSE(w.result.empty());
    EXPECT_EQ(w.result[0], ' ');
}

TEST(TriangleCount, EqualsNearestWholeNumberUpToTenToTheForty)
{
    for (int n = 0; n <= 5000; ++n) {
        ASSERT_EQ(TriangleCount(mpz_class(n)), NearestTriangleCount(mpz_class(n))) << n;
    }
    mpz_class n;
    mpz_ui_pow_ui(n.get_mpz_t(), 10, 40);
    for (int offset = -30; offset <= 30; ++offset) {
        const mpz_class value = n + offset;
        EXPECT_EQ(TriangleCount(value), NearestTriangleCount(value)) << value.get_str();
    }
    for (unsigned e = 5; e <= 40; ++e) {
        mpz_class v;
        mpz_ui_pow_ui(v.get_mpz_t(), 7, e * 2);
        EXPECT_EQ(TriangleCount(v), NearestTriangleCount(v)) << v.get_str();
        EXPECT_EQ(TriangleCount(v + 1), NearestTriangleCount(v + 1)) << v.get_str();
    }
}

} // namespace
