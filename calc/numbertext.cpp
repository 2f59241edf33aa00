#include "calc/numbertext.h"

#include <charconv>

std::string NumberText(std::int64_t value)
{
    if (value < 0) {
        return std::to_string(value);
    }
    return ' ' + std::to_string(value);
}

std::string NumberText(const mpz_class& value)
{
    if (sgn(value) < 0) {
        return value.get_str();
    }
    return ' ' + value.get_str();
}

std::string FieldText(int width, std::int64_t value)
{
    std::string text;
    AppendFieldText(text, width, value);
    return text;
}

void AppendFieldText(std::string& out, int width, std::int64_t value)
{
    char digits[24];
    char* first = digits + 1;
    char* last = std::to_chars(first, std::end(digits), value).ptr;
    if (value >= 0) {
        *--first = ' ';
    }
    const auto length = static_cast<std::size_t>(last - first);
    const auto w = static_cast<std::size_t>(width);
    if (length < w) {
        out.append(w - length, ' ');
        out.append(first, length);
    } else {
        out.append(last - w, w);
    }
}
