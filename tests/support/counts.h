// Triangle counts worked out other ways than the program's, for checking it.
#pragma once

#include <gmpxx.h>

// The nearest whole number to n²/48 for even n and to (n+3)²/48 for odd n.
inline mpz_class NearestTriangleCount(const mpz_class& n)
{
    const mpz_class m = (n % 2 == 0) ? n : n + 3;
    mpz_class result;
    const mpz_class numerator = m * m + 24;
    mpz_fdiv_q_ui(result.get_mpz_t(), numerator.get_mpz_t(), 48);
    return result;
}

// One by one: sides a ≤ b ≤ c with a + b + c = n, degenerate ones (a + b = c) included if asked.
inline long EnumeratedTriangleCount(long n, bool degenerate)
{
    long count = 0;
    for (long a = 1; 3 * a <= n; ++a) {
        for (long b = a; 2 * b <= n - a; ++b) {
            const long c = n - a - b;
            count += degenerate ? a + b >= c : a + b > c;
        }
    }
    return count;
}
