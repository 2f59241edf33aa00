// Any text in the formula's input box: afterwards the input box holds the number text of the
// whole number used and the result box the exact count, or the input is kept and the result
// box says it is too long. The count is checked against the nearest whole number to n²/48
// (even n) or (n+3)²/48 (odd n), and against counting the triangles one by one for small n.
#include "calc/formula.h"
#include "tests/support/stringwindow.h"

#include <gmpxx.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

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

mpz_class Nearest(const mpz_class& n)
{
    const mpz_class m = (n % 2 == 0) ? n : n + 3;
    mpz_class result;
    const mpz_class numerator = m * m + 24;
    mpz_fdiv_q_ui(result.get_mpz_t(), numerator.get_mpz_t(), 48);
    return result;
}

long Enumerated(long n)
{
    long count = 0;
    for (long a = 1; 3 * a <= n; ++a) {
        for (long b = a; 2 * b <= n - a; ++b) {
            const long c = n - a - b;
            count += a + b > c;
        }
    }
    return count;
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
    Check(count == Nearest(n));
    if (n <= 300) {
        Check(count == Enumerated(n.get_si()));
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
