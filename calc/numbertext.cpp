#include "calc/numbertext.h"

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
    const auto w = static_cast<std::size_t>(width);
    std::string text = std::string(w, ' ') + NumberText(value);
    return text.substr(text.size() - w);
}
