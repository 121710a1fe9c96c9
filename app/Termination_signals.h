#ifndef APP_TERMINATION_SIGNALS_H
#define APP_TERMINATION_SIGNALS_H

#include <functional>

// SIGTERM (a logout, a shutdown) and SIGINT (Ctrl+C in a terminal) run `end` on
// the GUI thread, from the event loop, instead of killing the game mid-way. A
// second signal while the first is handled is ignored.
void end_on_termination_signals(std::function<void()> end);

#endif
