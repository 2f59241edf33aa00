// Any byte string given as start text is either a whole number, whose value then comes back
// exactly (clamped to 100 from above), or refused with a message; never anything else.
#include "calc/starttext.h"
#include "fuzz/check.h"

#include <gmpxx.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f'; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const StartValue start = ParseStartText(text);

    // Independently: blanks off both ends, then an optional sign and at least one digit.
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    std::string number(text.substr(first, last - first));
    std::size_t digitsAt = (!number.empty() && (number[0] == '+' || number[0] == '-')) ? 1 : 0;
    bool whole = number.size() > digitsAt;
    for (std::size_t i = digitsAt; i < number.size(); ++i) {
        whole = whole && number[i] >= '0' && number[i] <= '9';
    }

    if (!whole) {
        Check(!start.ok && !start.message.empty());
        return 0;
    }
    if (number[0] == '+') {
        number.erase(0, 1);
    }
    const mpz_class value(number, 10);
    if (value < INT32_MIN) {
        Check(!start.ok && !start.message.empty());
    } else if (value > kHighestStart) {
        Check(start.ok && start.clamped && start.value == kHighestStart);
    } else {
        Check(start.ok && !start.clamped && start.value == value.get_si());
    }
    return 0;
}
