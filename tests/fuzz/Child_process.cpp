#include "Child_process.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <thread>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

// Resident and virtual size of this process, in bytes.
std::pair<std::size_t, std::size_t> memory_in_use()
{
    std::ifstream statm("/proc/self/statm");
    std::size_t virtual_pages = 0, resident_pages = 0;
    statm >> virtual_pages >> resident_pages;
    std::size_t const page = std::size_t(sysconf(_SC_PAGESIZE));
    return {resident_pages * page, virtual_pages * page};
}

// AddressSanitizer reserves terabytes of address space, so there only the
// resident size can be bounded; elsewhere the address space is too, and an
// allocation beyond it fails as it would on a full machine.
void limit_memory(std::size_t headroom)
{
#ifndef BRINDLEMOT_SANITIZE
    rlim_t const limit = memory_in_use().second + headroom;
    rlimit const bound{limit, limit};
    setrlimit(RLIMIT_AS, &bound);
#endif
    std::size_t const resident_limit = memory_in_use().first + headroom;
    std::thread([resident_limit] {
        for (;;)
        {
            if (memory_in_use().first > resident_limit) _exit(child_over_memory);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }).detach();
}

void write_all(int fd, std::string const& text)
{
    std::size_t written = 0;
    while (written < text.size())
    {
        ssize_t const step = write(fd, text.data() + written, text.size() - written);
        if (step <= 0) return;
        written += std::size_t(step);
    }
}

[[noreturn]] void be_the_child(std::function<int(std::string&)> const& work, std::size_t headroom, int seconds,
                               int note_fd)
{
    alarm(unsigned(seconds));
    limit_memory(headroom);
    std::string note;
    int code = child_escaped_exception;
    try
    {
        code = work(note);
    }
    catch (std::exception const& error)
    {
        note = std::string("escaped: ") + error.what();
    }
    catch (...)
    {
        note = "escaped: an exception of unknown type";
    }
    write_all(note_fd, note.substr(0, 4000));
    std::fflush(nullptr);
    // No destructors of this process's statics: they belong to the parent.
    _exit(code);
}

} // namespace

std::string Child_end::describe() const
{
    std::string what;
    if (exited && code == child_over_memory)
        what = "killed by the memory limit";
    else if (exited)
        what = "exited with " + std::to_string(code);
    else if (signal == SIGALRM)
        what = "killed by the time limit";
    else
        what = std::string("killed by signal ") + strsignal(signal);
    return note.empty() ? what : what + ": " + note;
}

namespace
{

struct Running_child
{
    pid_t pid;
    int notes;
    std::size_t index;
};

Running_child start_child(std::function<int(std::size_t, std::string&)> const& work, std::size_t index,
                          std::size_t headroom, int seconds)
{
    int notes[2];
    if (pipe(notes) != 0) throw std::runtime_error("no pipe");
    std::fflush(nullptr);
    pid_t const child = fork();
    if (child < 0) throw std::runtime_error("no child process");
    if (child == 0)
    {
        close(notes[0]);
        be_the_child([&work, index](std::string& note) { return work(index, note); }, headroom, seconds, notes[1]);
    }
    close(notes[1]);
    return {child, notes[0], index};
}

// A child's note is short enough for the pipe to hold, so it is read once the
// child has ended.
Child_end finish_child(Running_child const& child, int status)
{
    Child_end end;
    char buffer[4096];
    for (ssize_t got; (got = read(child.notes, buffer, sizeof buffer)) > 0;) end.note.append(buffer, std::size_t(got));
    close(child.notes);
    end.exited = WIFEXITED(status);
    if (end.exited)
        end.code = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        end.signal = WTERMSIG(status);
    return end;
}

} // namespace

std::vector<Child_end> run_in_children(std::size_t count, std::function<int(std::size_t, std::string&)> const& work,
                                       int at_once, std::size_t memory_headroom, int seconds)
{
    std::vector<Child_end> ends(count);
    std::vector<Running_child> running;
    std::size_t next = 0;
    while (next < count || !running.empty())
    {
        while (next < count && int(running.size()) < std::max(at_once, 1))
            running.push_back(start_child(work, next++, memory_headroom, seconds));
        int status = 0;
        pid_t const ended = waitpid(-1, &status, 0);
        if (ended < 0)
        {
            if (errno == EINTR) continue;
            throw std::runtime_error("lost the child processes");
        }
        for (auto child = running.begin(); child != running.end(); ++child)
        {
            if (child->pid != ended) continue;
            ends[child->index] = finish_child(*child, status);
            running.erase(child);
            break;
        }
    }
    return ends;
}
