#include "calc/run.h"

#include "calc/formula.h"
#include "calc/numbertext.h"
#include "calc/starttext.h"
#include "tests/support/printcase.h"
#include "tests/support/stringwindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace {

std::string Lines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// The table text without its trailing line break, as a run leaves it.
std::string Table(std::initializer_list<const char*> rows)
{
    std::string text = "  n  ges aab aaa* ent\r\n";
    for (const char* row : rows) {
        text += "\r\n";
        text += row;
    }
    return text;
}

StringWindow RunWith(const std::string& start, int degenerate)
{
    StringWindow w;
    w.start = start;
    w.degenerate = degenerate;
    RunState state;
    RunPerimeters(state, w);
    return w;
}

TEST(RunPerimeters, StartThreeSwitchOffGivesWholeTexts)
{
    const StringWindow w = RunWith("3", 0);
    EXPECT_EQ(w.table, Table({"  3:   1   0   1", "  4:   0   0   0", "  5:   1   1   0", "  6:   1   0   1",
                           "  7:   2   2   0", "  8:   1   1   0", "  9:   3   1   1", " 10:   2   2   0",
                           " 11:   4   3   0", " 12:   3   1   1"}));
    EXPECT_EQ(w.list,
        Lines({"Dreiecke", "", "Umfang 3", "  1.  1  1  1  aaa", "", "Umfang 4", "", "Umfang 5",
            "  1.  1  2  2  aab", "", "Umfang 6", "  1.  2  2  2  aaa", "", "Umfang 7", "  1.  1  3  3  aab",
            "  2.  2  2  3  aab", "", "Umfang 8", "  1.  2  3  3  aab", "", "Umfang 9", "  1.  1  4  4  aab",
            "  2.  2  3  4", "  3.  3  3  3  aaa", "", "Umfang 10", "  1.  2  4  4  aab", "  2.  3  3  4  aab", "",
            "Umfang 11", "  1.  1  5  5  aab", "  2.  2  4  5", "  3.  3  3  5  aab", "  4.  3  4  4  aab", "",
            "Umfang 12", "  1.  2  5  5  aab", "  2.  3  4  5", "  3.  4  4  4  aaa"}));
    EXPECT_EQ(w.start, "3");
    EXPECT_FALSE(w.busy);
    EXPECT_TRUE(w.warnings.empty());
}

TEST(RunPerimeters, StartThreeSwitchOnCountsDegenerate)
{
    const StringWindow w = RunWith("3", 1);
    EXPECT_EQ(w.table, Table({"  3:   1   0   1", "  4:   1   1   0   1", "  5:   1   1   0", "  6:   2   0   1   1",
                           "  7:   2   2   0", "  8:   3   2   0   2", "  9:   3   1   1", " 10:   4   2   0   2",
                           " 11:   4   3   0", " 12:   6   2   1   3"}));
    EXPECT_NE(w.list.find(Lines({"Umfang 4", "  1.  1  1  2  ent  aab", ""})), std::string::npos);
    EXPECT_NE(w.list.find(Lines({"Umfang 6", "  1.  1  2  3  ent", "  2.  2  2  2  aaa", ""})), std::string::npos);
    EXPECT_NE(w.list.find(Lines({"Umfang 8", "  1.  1  3  4  ent", "  2.  2  2  4  ent  aab", "  3.  2  3  3  aab"})),
        std::string::npos);
}

struct StartCase {
    const char* name;
    const char* start;
    const char* startAfter;
    const char* firstRow;
    const char* lastRow;
};

void PrintTo(const StartCase& c, std::ostream* os) { PrintCase(os, c.name, c.start); }

class RunStartTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(RunStartTest, RowsRunFromTheStart)
{
    const StartCase& c = GetParam();
    const StringWindow w = RunWith(c.start, 0);
    EXPECT_EQ(w.start, c.startAfter);
    const std::string rows = w.table.substr(std::string(kTableHeader).size() + 2);
    EXPECT_EQ(rows.substr(0, rows.find('\r')), c.firstRow);
    EXPECT_EQ(rows.substr(rows.rfind('\n') + 1), c.lastRow);
}

INSTANTIATE_TEST_SUITE_P(Starts, RunStartTest,
    ::testing::Values(StartCase{"clamped", "150", "100", "100: 208  24   0", "109: 261  27   0"},
        StartCase{"hundred_kept", "100", "100", "100: 208  24   0", "109: 261  27   0"},
        StartCase{"blanks_kept", " 100 ", " 100 ", "100: 208  24   0", "109: 261  27   0"},
        StartCase{"zero", "0", "0", "  0:   0   0   0", "  9:   3   1   1"},
        StartCase{"negative", "-5", "-5", " -5:   0   0   0", "  4:   0   0   0"},
        StartCase{"lowest", "-2147483648", "-2147483648", "648:   0   0   0", "639:   0   0   0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RunPerimeters, ZeroStartListsEmptyPerimeters)
{
    const StringWindow w = RunWith("0", 0);
    EXPECT_EQ(w.list.rfind(Lines({"Dreiecke", "", "Umfang 0", "", "Umfang 1", "", "Umfang 2", "", "Umfang 3",
                               "  1.  1  1  1  aaa"}),
                  0),
        0U);
}

TEST(RunPerimeters, SecondRunClearsTheFirst)
{
    StringWindow w;
    RunState state;
    w.start = "50";
    RunPerimeters(state, w);
    w.start = "3";
    RunPerimeters(state, w);
    EXPECT_EQ(w.table, RunWith("3", 0).table);
    EXPECT_EQ(w.list, RunWith("3", 0).list);
}

class InvalidStartTest : public ::testing::TestWithParam<const char*> {};

TEST_P(InvalidStartTest, LosesNothing)
{
    StringWindow w;
    RunState state;
    RunPerimeters(state, w);
    const std::string list = w.list;
    const std::string table = w.table;

    w.start = GetParam();
    RunPerimeters(state, w);
    EXPECT_EQ(w.list, list);
    EXPECT_EQ(w.table, table);
    EXPECT_EQ(w.start, GetParam());
    EXPECT_FALSE(w.busy);
    ASSERT_EQ(w.warnings.size(), 1U);
    EXPECT_EQ(w.warnings[0], ParseStartText(GetParam()).message);
    EXPECT_FALSE(state.running);
}

INSTANTIATE_TEST_SUITE_P(Texts, InvalidStartTest, ::testing::Values("", "abc", "3.7", "1e2", "-99999999999"));

TEST(RunPerimeters, YieldsElevenTimesWithBusyLabelBetween)
{
    StringWindow w;
    RunState state;
    RunPerimeters(state, w);
    EXPECT_EQ(w.yields, 11);
    ASSERT_EQ(w.busyAtYield.size(), 11U);
    EXPECT_FALSE(w.busyAtYield[0]);
    for (std::size_t i = 1; i < 11; ++i) {
        EXPECT_TRUE(w.busyAtYield[i]) << "yield " << i + 1;
    }
    EXPECT_FALSE(w.busy);
}

TEST(RunPerimeters, WindowSeesEachFinishedPerimeterAtTheNextYield)
{
    StringWindow w;
    RunState state;
    std::vector<std::string> tables;
    w.onYield = [&](StringWindow& window, int) { tables.push_back(window.table); };
    RunPerimeters(state, w);
    ASSERT_EQ(tables.size(), 11U);
    EXPECT_EQ(tables[1], kTableHeader);
    EXPECT_EQ(tables[2], Table({"  3:   1   0   1"}));
    EXPECT_EQ(tables[10], w.table.substr(0, w.table.rfind("\r\n")));
}

TEST(RunPerimeters, SwitchChangedAtYieldAppliesToLaterPerimeters)
{
    StringWindow w;
    RunState state;
    // Yield 6 comes before perimeter 7 of a run from 3.
    w.onYield = [](StringWindow& window, int yield) {
        if (yield == 6) {
            window.degenerate = 1;
        }
    };
    RunPerimeters(state, w);
    EXPECT_NE(w.table.find("\r\n  6:   1   0   1\r\n"), std::string::npos);
    EXPECT_NE(w.table.find("\r\n  8:   3   2   0   2\r\n"), std::string::npos);
}

TEST(RunPerimeters, EditsMadeAtYieldSurvive)
{
    StringWindow w;
    RunState state;
    w.onYield = [](StringWindow& window, int yield) {
        if (yield == 4) {
            window.list += "Notiz";
            window.table += "!";
        }
    };
    RunPerimeters(state, w);
    EXPECT_NE(w.list.find("Umfang 4\r\nNotiz\r\nUmfang 5\r\n"), std::string::npos);
    EXPECT_NE(w.table.find("  4:   0   0   0!\r\n  5:"), std::string::npos);
}

TEST(RunPerimeters, StartAtYieldIsRefusedWhileRunning)
{
    StringWindow w;
    RunState state;
    int nested = 0;
    w.onYield = [&](StringWindow& window, int yield) {
        if (yield == 3) {
            window.start = "50";
            ++nested;
            RunPerimeters(state, window);
        }
    };
    RunPerimeters(state, w);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(w.yields, 11);
    EXPECT_EQ(w.table, RunWith("3", 0).table);
    EXPECT_FALSE(state.running);
}

// An independent reading of the list text: per perimeter, the number of lines and marks.
std::map<int, std::array<int, 4>> CountListLines(const std::string& list)
{
    std::map<int, std::array<int, 4>> counts;
    std::istringstream in(list);
    std::string line;
    int perimeter = 0;
    while (std::getline(in, line)) {
        EXPECT_EQ(line.back(), '\r');
        line.pop_back();
        if (line.rfind("Umfang", 0) == 0) {
            perimeter = std::stoi(line.substr(6));
            counts[perimeter] = {0, 0, 0, 0};
        } else if (line.size() >= 13 && line[3] == '.') {
            auto& c = counts[perimeter];
            ++c[0];
            const int a = std::stoi(line.substr(4, 3));
            const int b = std::stoi(line.substr(7, 3));
            const int cc = std::stoi(line.substr(10, 3));
            EXPECT_EQ(a + b + cc, perimeter);
            EXPECT_TRUE(a <= b && b <= cc) << line;
            c[1] += line.find("aab") != std::string::npos;
            c[2] += line.find("aaa") != std::string::npos;
            c[3] += line.find("ent") != std::string::npos;
        }
    }
    return counts;
}

TEST(RunPerimeters, TableRowsAgreeWithListLines)
{
    for (const int degenerate : {0, 1}) {
        for (int start = -3; start <= 100; start += 7) {
            const StringWindow w = RunWith(std::to_string(start), degenerate);
            const auto counts = CountListLines(w.list);
            ASSERT_EQ(counts.size(), 10U);
            for (const auto& [n, c] : counts) {
                std::string row = FieldText(3, n) + ":" + FieldText(4, c[0]) + FieldText(4, c[1]) + FieldText(4, c[2]);
                if (c[3] > 0) {
                    row += "  " + NumberText(c[3]);
                }
                EXPECT_NE(w.table.find("\n" + row), std::string::npos) << row;
                EXPECT_TRUE(c[3] == 0 || n % 2 == 0) << n;
            }
        }
    }
}

// The enumeration writes about n²/48 lines for perimeter n, so it is checked line by line
// up to 1,500; beyond that an independent count stands in for it.
TEST(ListTriangles, StrictTotalEqualsFormula)
{
    StringWindow w;
    RunState state;
    std::string lines;
    for (int n = 0; n <= 1500; ++n) {
        state = RunState{};
        state.n = n;
        lines.clear();
        ListTrianglesInto(state, w, lines);
        ASSERT_EQ(mpz_class(state.ges), TriangleCount(mpz_class(n))) << "n = " << n;
    }
}

// For each smallest side a, the middle sides b with a <= b <= c and a + b > c form a range.
long long CountBySmallestSide(long long n)
{
    long long total = 0;
    for (long long a = 1; 3 * a <= n; ++a) {
        const long long highest = (n - a) / 2;          // b <= c
        const long long lowest = std::max(a, n / 2 - a + 1); // a + b > n - a - b
        total += std::max(0LL, highest - lowest + 1);
    }
    return total;
}

TEST(TriangleCount, EqualsIndependentCountUpToTenThousand)
{
    for (long long n = 0; n <= 10000; ++n) {
        ASSERT_EQ(TriangleCount(mpz_class(static_cast<long>(n))), mpz_class(static_cast<long>(CountBySmallestSide(n))))
            << "n = " << n;
    }
}

TEST(ListTriangles, BelowThreeAppendsNothing)
{
    for (const int n : {-2147483647, -1, 0, 1, 2}) {
        StringWindow w;
        RunState state;
        state.n = n;
        w.degenerate = 1;
        ListTriangles(state, w);
        EXPECT_EQ(w.list, kListHeader);
        EXPECT_EQ(state.ges + state.aab + state.aaa + state.ent, 0);
    }
}

} // namespace
