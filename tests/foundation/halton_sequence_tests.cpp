#include "foundation/Halton_sequence.h"

#include <gtest/gtest.h>

namespace
{

double radical_inverse(int n, int base)
{
    double value = 0.0;
    double digit_weight = 1.0 / base;
    for (; n > 0; n /= base, digit_weight /= base) value += (n % base) * digit_weight;
    return value;
}

} // namespace

TEST(Halton_sequence, steps_through_the_radical_inverses_of_one_two_three)
{
    for (int base : {2, 3, 5})
    {
        Halton_sequence sequence(base);
        for (int n = 1; n <= 5000; ++n)
        {
            double const value = sequence.next();
            ASSERT_NEAR(radical_inverse(n, base), value, 1e-9) << "base " << base << ", n " << n;
        }
    }
}
