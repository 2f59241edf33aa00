// The closed-form count: the number of triangles with whole sides and perimeter n from n's
// residue modulo 12, exact for every size through GMP, and the input rule of its box.
#pragma once

#include "calc/runwindow.h"

#include <gmpxx.h>

#include <cstddef>
#include <string>
#include <string_view>

// Longer whole parts are refused before any arithmetic is done on them.
inline constexpr std::size_t kMaxFormulaDigits = 100000;
inline constexpr const char* kTooManyDigits = "Zahl zu groß: höchstens 100000 Stellen";

struct FormulaInput {
    bool ok = false; // false: the whole part has more than kMaxFormulaDigits digits
    mpz_class n;     // the largest whole number not above the value, negatives as 0
};

// The leading-number rule: blanks skipped, then sign, digits with at most one ".", and an
// exponent, as far as they go; a text without a number counts as 0.
FormulaInput ParseFormulaInput(std::string_view text);

// Triangles with whole sides, none degenerate, and perimeter n (n >= 0).
mpz_class TriangleCount(const mpz_class& n);

// What the "=" button does.
void CountByFormula(FormulaWindow& window);
