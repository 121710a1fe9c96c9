#ifndef TESTS_CAPTURE_STDOUT_H
#define TESTS_CAPTURE_STDOUT_H

#include <sstream>
#include <string>

// Collects what std::cout receives while it lives.
class Capture_stdout
{
public:
    Capture_stdout();
    ~Capture_stdout();
    std::string text() const { return _buffer.str(); }

private:
    std::ostringstream _buffer;
    std::streambuf* _previous;
};

#endif
