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
    const char Byte = static_cast<char>(Signal);
    [[maybe_unused]] const ssize_t Written = ::write(SignalPipe[1], &Byte, 1);
}

// Quits when Fd becomes readable and reading it gives the end (or, with AnyByte, anything).
void QuitWhenReadable(int Fd, bool AnyByte)
{
    auto* Notifier = new QSocketNotifier(Fd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(Notifier, &QSocketNotifier::activated, Notifier, [Notifier, Fd, AnyByte] {
        std::array<char, 256> Buffer {};
        const ssize_t Got = ::read(Fd, Buffer.data(), Buffer.size());
        if (Got > 0 && !AnyByte)
            return;
        Notifier->setEnabled(false);
        QCoreApplication::quit();
    });
}

} // namespace

void QuitOnTerminationSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, SignalPipe) != 0)
        return;
    struct sigaction Action { };
    Action.sa_handler = WriteSignal;
    sigemptyset(&Action.sa_mask);
    ::sigaction(SIGINT, &Action, nullptr);
    ::sigaction(SIGTERM, &Action, nullptr);
    QuitWhenReadable(SignalPipe[0], true);
}

void QuitAtEndOfInput()
{
    QuitWhenReadable(STDIN_FILENO, false);
}
