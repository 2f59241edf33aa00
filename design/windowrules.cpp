#include "design/windowrules.h"

#include <array>
#include <cstdint>
#include <new>

namespace {

constexpr std::array kHiddenAtLoad{"Label2"};

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

std::string FailureText(const std::exception& error)
{
    const char* reason = dynamic_cast<const std::bad_alloc*>(&error) ? "zu wenig Speicher." : error.what();
    return std::string("Die Rechnung ist abgebrochen: ") + reason;
}
