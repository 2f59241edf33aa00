#include "design/windowrules.h"

#include "calc/formula.h"
#include "calc/run.h"

#include <array>
#include <cstdint>
#include <exception>
#include <new>

namespace {

constexpr std::array kHiddenAtLoad{"Label2"};

std::string FailureText(const std::exception& error)
{
    const char* reason = dynamic_cast<const std::bad_alloc*>(&error) ? "zu wenig Speicher." : error.what();
    return std::string("Die Rechnung ist abgebrochen: ") + reason;
}

// The work is called directly, not through a std::function: in the web page the run pauses
// inside it for the browser's turns, and the page is built to let a pause pass direct calls
// and the exception wrappers only, not a function object's indirect call.
template <class Window, class Work>
void Guarded(Window& window, Work work)
{
    try {
        work();
    } catch (const std::exception& error) {
        window.ShowFailure(FailureText(error));
    }
}

} // namespace

std::span<const char* const> HiddenAtLoad() { return kHiddenAtLoad; }

std::optional<std::string> ScrollStartText(int value)
{
    std::int16_t product = 0;
    if (__builtin_mul_overflow(value, 10, &product)) {
        return std::nullopt;
    }
    return std::to_string(product);
}

void GuardedRun(RunState& state, RunWindow& window)
{
    Guarded(window, [&] { RunPerimeters(state, window); });
}

void GuardedCount(FormulaWindow& window)
{
    Guarded(window, [&] { CountByFormula(window); });
}
