#include "PeerLifetime.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int SignalPipe[2] = { -1, -1 };

extern "C" void WriteSignal(int Signal)
{
    const char byte = static_cast<char>(Signal);
    [[maybe_unused]] const ssize_t written = ::write(SignalPipe[1], &byte, 1);
}

// Quits when Fd becomes readable and reading it gives the end (or, with AnyByte, anything).
void QuitWhenReadable(int Fd, bool AnyByte)
{
    auto* notifier = new QSocketNotifier(Fd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, Fd, AnyByte] {
        std::array<char, 256> buffer {};
        const ssize_t got = ::read(Fd, buffer.data(), buffer.size());
        if (got > 0 && !AnyByte)
            return;
        notifier->setEnabled(false);
        QCoreApplication::quit();
    });
}

} // namespace

void QuitOnTerminationSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, SignalPipe) != 0)
        return;
    struct sigaction action { };
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
    QuitWhenReadable(SignalPipe[0], true);
}

void QuitAtEndOfInput()
{
    QuitWhenReadable(STDIN_FILENO, false);
}
