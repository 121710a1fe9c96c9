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

#endif
