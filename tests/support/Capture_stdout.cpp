#include "support/Capture_stdout.h"

#include <iostream>

Capture_stdout::Capture_stdout() : _previous(std::cout.rdbuf(_buffer.rdbuf()))
{
}

Capture_stdout::~Capture_stdout()
{
    std::cout.rdbuf(_previous);
}
