#include "app/Termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <iostream>

#include <fcntl.h>
#include <unistd.h>

namespace
{

int signal_pipe[2] = {-1, -1};

// Only async-signal-safe work here: the event loop picks the byte up.
void note_signal(int number)
{
    char const byte = char(number);
    ssize_t const written = ::write(signal_pipe[1], &byte, 1);
    (void)written;
}

} // namespace

void end_on_termination_signals(std::function<void()> end)
{
    if (signal_pipe[0] < 0 && ::pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
    {
        std::cout << "end_on_termination_signals no pipe: the signals end the game at once" << std::endl;
        return;
    }
    auto* notifier = new QSocketNotifier(signal_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, end] {
        char byte = 0;
        while (::read(signal_pipe[0], &byte, 1) == 1)
        {
        }
        notifier->setEnabled(false);
        std::cout << "end_on_termination_signals signal " << int(byte) << ": the game ends" << std::endl;
        end();
    });

    struct sigaction action = {};
    action.sa_handler = note_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}
