#include "calc/starttext.h"

#include <limits>

namespace {

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
}

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

StartValue Refused(std::string message)
{
    StartValue result;
    result.message = std::move(message);
    return result;
}

} // namespace

std::string QuotedExcerpt(std::string_view text)
{
    constexpr std::size_t kMaxCharacters = 40;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // A UTF-8 continuation byte never starts a character.
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (characters == kMaxCharacters) {
                return "\u201E" + std::string(text.substr(0, i)) + "\u2026\u201C";
            }
            ++characters;
        }
    }
    return "\u201E" + std::string(text) + "\u201C";
}

StartValue ParseStartText(std::string_view text)
{
    const std::string_view number = Trimmed(text);
    if (number.empty()) {
        return Refused("Bitte eine Startzahl eingeben: das Feld ist leer.");
    }

    std::string_view digits = number;
    const bool negative = digits.front() == '-';
    if (digits.front() == '-' || digits.front() == '+') {
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return Refused(QuotedExcerpt(number) + " ist keine ganze Zahl.");
    }
    for (const char ch : digits) {
        if (!IsDigit(ch)) {
            return Refused(QuotedExcerpt(number) + " ist keine ganze Zahl.");
        }
    }
    while (digits.size() > 1 && digits.front() == '0') {
        digits.remove_prefix(1);
    }

    // Twelve digits are far beyond both limits, so a longer text needs no arithmetic.
    std::int64_t magnitude = 0;
    const bool huge = digits.size() > 12;
    if (!huge) {
        for (const char ch : digits) {
            magnitude = magnitude * 10 + (ch - '0');
        }
    }

    StartValue result;
    result.ok = true;
    if (!negative) {
        if (huge || magnitude > kHighestStart) {
            result.value = kHighestStart;
            result.clamped = true;
        } else {
            result.value = static_cast<std::int32_t>(magnitude);
        }
        return result;
    }

    constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
    if (huge || -magnitude < kLowest) {
        return Refused(QuotedExcerpt(number) + " ist als Startzahl zu klein; die kleinste ist -2147483648.");
    }
    result.value = static_cast<std::int32_t>(-magnitude);
    return result;
}
