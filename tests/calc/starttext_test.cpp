#include "calc/starttext.h"

#include "tests/support/printcase.h"

#include <gtest/gtest.h>

namespace {

struct StartCase {
    const char* name;
    std::string text;
    bool ok;
    std::int32_t value;
    bool clamped;
    const char* message;
};

void PrintTo(const StartCase& c, std::ostream* os) { PrintCase(os, c.name, c.text); }

class StartTextTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartTextTest, ReadsOrRefuses)
{
    const StartCase& c = GetParam();
    const StartValue v = ParseStartText(c.text);
    EXPECT_EQ(v.ok, c.ok);
    if (c.ok) {
        EXPECT_EQ(v.value, c.value);
        EXPECT_EQ(v.clamped, c.clamped);
        EXPECT_TRUE(v.message.empty());
    } else {
        EXPECT_EQ(v.message, c.message);
    }
}

const std::string kLong(5000, '9');

INSTANTIATE_TEST_SUITE_P(Texts, StartTextTest,
    ::testing::Values(StartCase{"plain", "3", true, 3, false, ""},
        StartCase{"blanks_around", "  20\t ", true, 20, false, ""},
        StartCase{"plus_sign", "+7", true, 7, false, ""},
        StartCase{"leading_zeros", "0007", true, 7, false, ""},
        StartCase{"hundred_kept", "100", true, 100, false, ""},
        StartCase{"above_clamped", "150", true, 100, true, ""},
        StartCase{"many_digits_clamped", kLong, true, 100, true, ""},
        StartCase{"zero", "0", true, 0, false, ""}, StartCase{"minus_zero", "-0", true, 0, false, ""},
        StartCase{"negative", "-12", true, -12, false, ""},
        StartCase{"lowest", "-2147483648", true, -2147483648, false, ""},
        StartCase{"below_lowest", "-2147483649", false, 0, false,
            "\u201E-2147483649\u201C ist als Startzahl zu klein; die kleinste ist -2147483648."},
        StartCase{"far_below", "-" + kLong, false, 0, false,
            "\u201E-999999999999999999999999999999999999999\u2026\u201C ist als Startzahl zu klein; die "
            "kleinste ist -2147483648."},
        StartCase{"empty", "", false, 0, false, "Bitte eine Startzahl eingeben: das Feld ist leer."},
        StartCase{"only_blanks", "   ", false, 0, false, "Bitte eine Startzahl eingeben: das Feld ist leer."},
        StartCase{"letters", "abc", false, 0, false, "\u201Eabc\u201C ist keine ganze Zahl."},
        StartCase{"fraction", "3.7", false, 0, false, "\u201E3.7\u201C ist keine ganze Zahl."},
        StartCase{"exponent", "1e2", false, 0, false, "\u201E1e2\u201C ist keine ganze Zahl."},
        StartCase{"hex", "0x10", false, 0, false, "\u201E0x10\u201C ist keine ganze Zahl."},
        StartCase{"inner_blank", "1 2", false, 0, false, "\u201E1 2\u201C ist keine ganze Zahl."},
        StartCase{"sign_only", "-", false, 0, false, "\u201E-\u201C ist keine ganze Zahl."},
        StartCase{"two_signs", "+-3", false, 0, false, "\u201E+-3\u201C ist keine ganze Zahl."},
        StartCase{"umlaut", "zwölf", false, 0, false, "\u201Ezwölf\u201C ist keine ganze Zahl."},
        StartCase{"pasted_line_break", "12\r\n13", false, 0, false, "\u201E12\r\n13\u201C ist keine ganze Zahl."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QuotedExcerpt, CutsLongTextOnCharacterBoundary)
{
    // 39 ASCII letters and then umlauts: the cut after 40 characters must not split one.
    const std::string text = std::string(39, 'x') + "ääää";
    EXPECT_EQ(QuotedExcerpt(text), "\u201E" + std::string(39, 'x') + "ä\u2026\u201C");
    EXPECT_EQ(QuotedExcerpt(std::string(40, 'y')), "\u201E" + std::string(40, 'y') + "\u201C");
}

} // namespace
