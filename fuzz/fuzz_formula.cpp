// Any text in the formula's input box: afterwards the input box holds the number text of the
// whole number used and the result box the exact count, or the input is kept and the result
// box says it is too long. The count is checked against the nearest whole number to n²/48
// (even n) or (n+3)²/48 (odd n), and against counting the triangles one by one for small n.
#include "calc/formula.h"
#include "fuzz/check.h"
#include "tests/support/counts.h"
#include "tests/support/stringwindow.h"

#include <gmpxx.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// " 0", " 12", …: a blank, then digits without a leading zero.
bool IsNumberText(const std::string& text)
{
    if (text.size() < 2 || text[0] != ' ' || (text[1] == '0' && text.size() > 2)) {
        return false;
    }
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    StringWindow w;
    w.input.assign(reinterpret_cast<const char*>(data), size);
    const std::string typed = w.input;
    CountByFormula(w);

    if (w.result == kTooManyDigits) {
        Check(w.input == typed);
        return 0;
    }
    Check(IsNumberText(w.input) && IsNumberText(w.result));
    Check(w.input.size() - 1 <= kMaxFormulaDigits);
    const mpz_class n(w.input.substr(1), 10);
    const mpz_class count(w.result.substr(1), 10);
    Check(count == NearestTriangleCount(n));
    if (n <= 300) {
        Check(count == EnumeratedTriangleCount(n.get_si(), false));
    }
    // Writing the box again with what it shows changes nothing (checked on short numbers:
    // on long ones it would only double the time of every execution).
    if (w.input.size() <= 64) {
        const std::string shown = w.input;
        const std::string result = w.result;
        CountByFormula(w);
        Check(w.input == shown && w.result == result);
    }
    return 0;
}
