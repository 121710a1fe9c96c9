#ifndef FOUNDATION_HALTON_SEQUENCE_H
#define FOUNDATION_HALTON_SEQUENCE_H

// The radical inverses of 1, 2, 3, ... in one base, each found from the one
// before: evenly spread points without drawing random numbers.
class Halton_sequence
{
public:
    explicit Halton_sequence(int base) : _inverse_base(1.0 / base) {}

    double next()
    {
        // Counting 0.9999999999 as one keeps rounding from carrying a digit too far.
        double const room = 0.9999999999 - _value;
        if (_inverse_base < room)
        {
            _value += _inverse_base;
        }
        else
        {
            double digit = _inverse_base;
            double previous_digit;
            do
            {
                previous_digit = digit;
                digit *= _inverse_base;
            } while (digit >= room);
            _value += previous_digit + digit - 1.0;
        }
        return _value;
    }

private:
    double _inverse_base;
    double _value = 0.0;
};

#endif
