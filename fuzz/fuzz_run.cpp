// A whole Start run on a random start text, with a random schedule of what the user does at
// each yield (switch toggles, edits of both report texts, a new start text). Checks that the
// run writes nothing but its pieces, that each row's counts match the list lines before it,
// that the lines are exactly the perimeter's triangles, and that an invalid start loses nothing.
//
// Input: one byte giving the start text's length (mod 32), the start text, then one action
// byte per yield; what is left over is the text that edits insert.
#include "calc/numbertext.h"
#include "calc/run.h"
#include "calc/starttext.h"
#include "fuzz/check.h"
#include "tests/support/counts.h"
#include "tests/support/stringwindow.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Records every piece the run appends, and the switch as each perimeter begins.
class RecordingWindow : public StringWindow {
public:
    std::vector<std::string> listPieces;
    std::vector<std::string> tablePieces;

    void AppendListText(std::string_view piece) override
    {
        listPieces.emplace_back(piece);
        StringWindow::AppendListText(piece);
    }
    void AppendTableText(std::string_view piece) override
    {
        tablePieces.emplace_back(piece);
        StringWindow::AppendTableText(piece);
    }
};

// A right-aligned field of the list: blanks, then digits.
int Field(std::string_view text)
{
    int value = 0;
    bool digits = false;
    for (const char ch : text) {
        if (ch == ' ' && !digits) {
            continue;
        }
        Check(ch >= '0' && ch <= '9');
        digits = true;
        value = value * 10 + (ch - '0');
    }
    Check(digits);
    return value;
}

// The marks a line carries, in the order the run writes them.
std::string Marks(std::int32_t n, std::int32_t a, std::int32_t b, std::int32_t c, bool degenerate)
{
    std::string marks;
    const bool equilateral = a == b && b == c;
    if (degenerate && n % 2 == 0 && c == n / 2) {
        marks += "  ent";
    }
    if (a == b && !equilateral) {
        marks += "  aab";
    }
    if (!degenerate && b == c && !equilateral) {
        marks += "  aab";
    }
    if (equilateral) {
        marks += "  aaa";
    }
    if (degenerate && b == c && !equilateral) {
        marks += "  aab";
    }
    return marks;
}

void CheckPerimeter(std::int32_t n, bool degenerate, const std::string& list, const std::string& row)
{
    const std::string head = "\r\nUmfang" + NumberText(n) + "\r\n";
    Check(list.compare(0, head.size(), head) == 0);

    // Every line a triangle of perimeter n, numbered from 1, each one once.
    const auto sides = static_cast<std::size_t>(std::max(n, 0) + 1);
    std::vector<bool> seen(sides * sides, false);
    int lines = 0;
    int aab = 0;
    int aaa = 0;
    int ent = 0;
    std::size_t at = head.size();
    while (at < list.size()) {
        const std::size_t end = list.find("\r\n", at);
        Check(end != std::string::npos);
        const std::string_view line = std::string_view(list).substr(at, end - at);
        at = end + 2;
        Check(line.size() >= 13 && line[3] == '.');
        const int number = Field(line.substr(0, 3));
        const int a = Field(line.substr(4, 3));
        const int b = Field(line.substr(7, 3));
        const int c = Field(line.substr(10, 3));
        Check(number == ++lines);
        Check(1 <= a && a <= b && b <= c && a + b + c == n);
        Check(degenerate ? a + b >= c : a + b > c);
        const std::size_t key = static_cast<std::size_t>(a) * sides + static_cast<std::size_t>(b);
        Check(!seen[key]);
        seen[key] = true;
        const std::string_view marks = line.substr(13);
        Check(marks == Marks(n, a, b, c, degenerate));
        for (std::size_t m = 0; m < marks.size(); m += 5) {
            const std::string_view mark = marks.substr(m + 2, 3);
            aab += mark == "aab";
            aaa += mark == "aaa";
            ent += mark == "ent";
        }
    }
    Check(lines == EnumeratedTriangleCount(n, degenerate));
    Check(ent == 0 || n % 2 == 0);

    std::string wanted = "\r\n" + FieldText(3, n) + ":" + FieldText(4, lines) + FieldText(4, aab) + FieldText(4, aaa);
    if (ent > 0) {
        wanted += "  " + NumberText(ent);
    }
    Check(row == wanted);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t startLength = std::min<std::size_t>(data[0] % 32, size - 1);
    const std::string_view rest = input.substr(1 + startLength);
    const std::string_view actions = rest.substr(0, std::min<std::size_t>(rest.size(), 11));
    const std::string_view typed = rest.substr(actions.size());

    RecordingWindow w;
    w.start = std::string(input.substr(1, startLength));
    w.list = "Notiz\r\n";
    w.table = "alt";
    const std::string startTyped = w.start;

    // What the boxes must hold at each yield: what they held after the last one, extended
    // by the pieces appended since.
    std::string listThen = w.list;
    std::string tableThen = w.table;
    std::size_t listPiecesThen = 0;
    std::size_t tablePiecesThen = 0;
    std::vector<bool> switchAtYield;
    std::string startAfterFirstYield;
    w.onYield = [&](StringWindow& sw, int number) {
        if (number == 2) {
            Check(sw.list == kListHeader && sw.table == kTableHeader);
        } else if (number > 2) {
            for (std::size_t i = listPiecesThen; i < w.listPieces.size(); ++i) {
                listThen += w.listPieces[i];
            }
            for (std::size_t i = tablePiecesThen; i < w.tablePieces.size(); ++i) {
                tableThen += w.tablePieces[i];
            }
            Check(sw.list == listThen && sw.table == tableThen);
        }
        const auto index = static_cast<std::size_t>(number - 1);
        const int action = index < actions.size() ? static_cast<unsigned char>(actions[index]) % 8 : 0;
        const std::string piece(typed.substr(0, 1 + static_cast<std::size_t>(number) % 7));
        switch (action) {
        case 1:
            sw.degenerate = 1 - sw.degenerate;
            break;
        case 2:
            sw.list += piece;
            break;
        case 3:
            sw.table += piece;
            break;
        case 4:
            sw.list = std::string(typed);
            break;
        case 5:
            sw.table.clear();
            break;
        case 6:
            sw.start = piece;
            break;
        case 7:
            sw.list += "\r\nUmfang 7\r\n";
            break;
        default:
            break;
        }
        listThen = sw.list;
        tableThen = sw.table;
        listPiecesThen = w.listPieces.size();
        tablePiecesThen = w.tablePieces.size();
        switchAtYield.push_back(sw.degenerate == 1);
        if (number == 1) {
            startAfterFirstYield = sw.start;
        }
    };

    RunState state;
    RunPerimeters(state, w);
    Check(!w.busy && !state.running);

    const StartValue start = ParseStartText(startAfterFirstYield);
    if (!start.ok) {
        // Nothing written after the first yield, and the user told why.
        Check(w.yields == 1 && w.warnings.size() == 1 && w.warnings[0] == start.message);
        Check(w.list == listThen && w.table == tableThen && w.start == startAfterFirstYield);
        Check(w.listPieces.empty() && w.tablePieces.empty());
        return 0;
    }
    Check(w.yields == 11 && w.warnings.empty());
    Check(w.listPieces.size() == 10 && w.tablePieces.size() == 10);
    Check(state.ges >= 0 && state.aab >= 0 && state.aaa >= 0 && state.ent >= 0);
    for (std::size_t k = 0; k < 10; ++k) {
        CheckPerimeter(start.value + static_cast<std::int32_t>(k), switchAtYield[k + 1], w.listPieces[k],
                       w.tablePieces[k]);
    }
    return 0;
}
