// The rule for the start box: a whole decimal number with blanks around it allowed, clamped
// to 100 from above. Anything else is no start and comes back with a German message.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct StartValue {
    bool ok = false;
    std::int32_t value = 0; // the start to run from, already clamped
    bool clamped = false;   // the text stood for more than 100
    std::string message;    // why the text is no start, when !ok
};

inline constexpr std::int32_t kHighestStart = 100;

StartValue ParseStartText(std::string_view text);

// The text shortened for quoting in a message, cut on a character boundary.
std::string QuotedExcerpt(std::string_view text);
