// How a table-driven case reads in GoogleTest's output: its name and its input,
// so that a failure reads like "exponent: '1e2'" rather than as the bytes of
// the case.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

inline void PrintCase(std::ostream *os, std::string_view name,
                      std::string_view input) {
  constexpr std::size_t kShown = 40;
  *os << name << ": '" << input.substr(0, kShown)
      << (input.size() > kShown ? "…" : "") << "'";
  if (input.size() > kShown) {
    *os << " (" << input.size() << " characters)";
  }
}
