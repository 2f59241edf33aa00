#include "calc/formula.h"

#include "calc/numbertext.h"

#include <array>
#include <cstdint>

namespace {

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

// Far beyond any whole part we accept, and far from overflowing when shifts are added.
constexpr std::int64_t kExponentCap = 1'000'000'000'000;

} // namespace

FormulaInput ParseFormulaInput(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // The mantissa's digits without the point, and how many of them stand after it.
    std::string digits;
    std::int64_t fractionDigits = 0;
    bool anyDigit = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        digits += text[i];
        anyDigit = true;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            digits += text[i];
            ++fractionDigits;
            anyDigit = true;
        }
    }

    std::int64_t exponent = 0;
    if (anyDigit && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            exponentNegative = text[j] == '-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            for (; j < text.size() && IsDigit(text[j]); ++j) {
                if (exponent < kExponentCap) {
                    exponent = exponent * 10 + (text[j] - '0');
                }
            }
            if (exponentNegative) {
                exponent = -exponent;
            }
        }
    }

    FormulaInput result;
    result.ok = true;
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    if (firstSignificant == std::string::npos) {
        return result; // no number, or zero
    }
    if (negative) {
        return result; // the whole number below a negative value is negative: counts as 0
    }
    digits.erase(0, firstSignificant);

    const std::int64_t shift = exponent - fractionDigits;
    const std::int64_t wholeDigits = static_cast<std::int64_t>(digits.size()) + shift;
    if (wholeDigits > static_cast<std::int64_t>(kMaxFormulaDigits)) {
        result.ok = false;
        return result;
    }
    if (wholeDigits <= 0) {
        return result; // a positive value below 1
    }
    if (shift >= 0) {
        digits.append(static_cast<std::size_t>(shift), '0');
    } else {
        digits.resize(static_cast<std::size_t>(wholeDigits));
    }
    result.n.set_str(digits, 10);
    return result;
}

mpz_class TriangleCount(const mpz_class& n)
{
    struct Term {
        unsigned long k;
        unsigned long m;
    };
    // Indexed by r = n - 12q - 2.
    static constexpr std::array<Term, 12> kTerms = {{
        {0, 0}, {2, 1}, {1, 0}, {3, 1}, {2, 1}, {4, 2}, {3, 1}, {5, 3}, {4, 2}, {6, 4}, {5, 3}, {7, 5},
    }};

    mpz_class q;
    const mpz_class shifted = n - 2;
    mpz_fdiv_q_ui(q.get_mpz_t(), shifted.get_mpz_t(), 12);
    const mpz_class r = shifted - 12 * q;
    const Term term = kTerms.at(r.get_ui());

    mpz_class count = 3 * q * q + q;
    count += term.k * q + term.m;
    return count;
}

void CountByFormula(FormulaWindow& window)
{
    const FormulaInput input = ParseFormulaInput(window.InputText());
    if (!input.ok) {
        window.SetResultText(kTooManyDigits);
        return;
    }
    window.SetInputText(NumberText(input.n));
    window.SetResultText(NumberText(TriangleCount(input.n)));
}
