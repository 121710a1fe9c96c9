#include "app/Frame_steps.h"

#include <algorithm>
#include <cmath>

int Frame_steps::steps_at(double now_seconds)
{
    if (!_started)
    {
        _started = true;
        _last = now_seconds;
        return 1;
    }
    // A clock that went back (or stood still) owes nothing.
    _owed += std::max(0.0, now_seconds - _last);
    _last = now_seconds;

    // Rounding to the nearest keeps a machine that draws every period at one
    // step a frame, though its frames come a little early or late.
    int const due = int(std::lround(_owed / _period));
    if (due > max_steps)
    {
        _owed = 0.0;
        return max_steps;
    }
    _owed -= due * _period;
    return due;
}
