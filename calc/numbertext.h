// Number texts as the reports show them: a blank or a minus sign before the digits, and
// right-aligned fields of a fixed width. Shared by the run, the enumeration and the formula.
#pragma once

#include <gmpxx.h>

#include <cstdint>
#include <string>

// " 12", " 0", "-7": one blank for zero and positive values, "-" for negative ones, no grouping.
std::string NumberText(std::int64_t value);
std::string NumberText(const mpz_class& value);

// The last `width` characters of `width` blanks followed by the number text of `value`.
std::string FieldText(int width, std::int64_t value);
// The same, appended to `out` without building it first: the enumeration writes thousands.
void AppendFieldText(std::string& out, int width, std::int64_t value);
