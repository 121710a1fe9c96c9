#ifndef FOUNDATION_RANDOM_H
#define FOUNDATION_RANDOM_H

#include <cstdlib>

// The game's formulas scale rand() by 32767; glibc's RAND_MAX is far larger, so
// every such formula draws from here. std::rand stays the source, so seeding with
// std::srand still makes runs repeatable.
inline int rand_0_32767()
{
    return std::rand() >> 16;
}

// rand / 32767: uniform in [0, 1].
inline float rand_unit()
{
    return rand_0_32767() / 32767.f;
}

// rand x 2 / 32767 - 1: uniform in [-1, 1].
inline float rand_signed()
{
    return rand_0_32767() * 2.f / 32767.f - 1.f;
}

#endif
