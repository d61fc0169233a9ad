#include "THostSignals.h"

#include "SystemError.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace {

constexpr std::array HandledSignals { SIGINT, SIGTERM, SIGUSR1 };

// The write end for the handlers; -1 while no instance exists.
volatile std::sig_atomic_t SignalPipe = -1;
volatile std::sig_atomic_t StopsSeen = 0;
void (*volatile LastWordsHook)() = nullptr;

void OnSignal(int Signal)
{
    const int SavedErrno = errno;
    const bool Again = Signal != SIGUSR1 && StopsSeen > 0;
    if (Signal != SIGUSR1)
        StopsSeen = 1;
    if (Again) {
        if (LastWordsHook)
            LastWordsHook();
        std::signal(Signal, SIG_DFL);
        ::raise(Signal);
        return;
    }
    const auto Byte = static_cast<unsigned char>(Signal);
    // A full pipe already holds enough wake-ups, so a failed write loses nothing.
    if (SignalPipe >= 0) [[maybe_unused]]
        const ssize_t Written = ::write(SignalPipe, &Byte, 1);
    errno = SavedErrno;
}

} // namespace

THostSignals::THostSignals(
    std::function<void()> OnStop, std::function<void()> OnQuitRequest, void (*LastWords)())
    : FOnStop(std::move(OnStop))
    , FOnQuitRequest(std::move(OnQuitRequest))
{
    StopsSeen = 0;
    LastWordsHook = LastWords;
    int Ends[2];
    if (::pipe2(Ends, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("no pipe for signals: " + platform::GetLastErrorString());
    FRead.Reset(Ends[0]);
    FWrite.Reset(Ends[1]);
    SignalPipe = FWrite.Get();
    FNotifier = std::make_unique<QSocketNotifier>(FRead.Get(), QSocketNotifier::Read);
    QObject::connect(FNotifier.get(), &QSocketNotifier::activated, [this] { Serve(); });
    struct sigaction Action { };
    Action.sa_handler = OnSignal;
    sigemptyset(&Action.sa_mask);
    Action.sa_flags = SA_RESTART;
    for (const int Signal : HandledSignals)
        ::sigaction(Signal, &Action, nullptr);
}

THostSignals::~THostSignals()
{
    for (const int Signal : HandledSignals)
        std::signal(Signal, SIG_DFL);
    SignalPipe = -1;
    LastWordsHook = nullptr;
}

void THostSignals::Serve()
{
    unsigned char Signal = 0;
    while (::read(FRead.Get(), &Signal, 1) == 1) {
        if (Signal == SIGUSR1)
            FOnQuitRequest();
        else
            FOnStop();
    }
}
