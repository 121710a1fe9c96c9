#ifndef APP_HANDLER_GUARD_H
#define APP_HANDLER_GUARD_H

#include <exception>
#include <iostream>

// Runs the body of a Qt handler, slot or timer so that no exception leaves it
// into Qt: a screen built in a handler may miss a data file, and the game goes on.
template <typename Body> void run_guarded(char const* where, Body&& body)
{
    try
    {
        body();
    }
    catch (std::exception const& error)
    {
        std::cout << where << " " << error.what() << std::endl;
    }
    catch (...)
    {
        std::cout << where << " unknown exception" << std::endl;
    }
}

#endif
