#ifndef TESTS_FUZZ_CHILD_PROCESS_H
#define TESTS_FUZZ_CHILD_PROCESS_H

#include <functional>
#include <string>
#include <vector>

// How a child process ended.
struct Child_end
{
    bool exited = false;
    int code = 0;   // when exited
    int signal = 0; // when killed
    std::string note;

    std::string describe() const;
};

// Exit codes of a child that ran out of room or time, or let an exception out.
int const child_over_memory = 90;
int const child_escaped_exception = 91;

// Runs `work` for every index below `count`, each in a forked copy of this
// process, so that whatever it does to its memory cannot touch the caller; at
// most `at_once` run together. Each copy may use `memory_headroom` bytes more
// than this process does now, and `seconds` of time. `work` returns the exit
// code and may leave a note saying why; an exception that leaves it ends the
// child with child_escaped_exception. Returns how each ended, by index.
std::vector<Child_end> run_in_children(std::size_t count,
                                       std::function<int(std::size_t index, std::string& note)> const& work,
                                       int at_once, std::size_t memory_headroom, int seconds);

#endif
