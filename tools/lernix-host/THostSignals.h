#pragma once

#include "TUniqueFd.h"

#include <QSocketNotifier>
#include <functional>
#include <memory>

// SIGINT, SIGTERM and SIGUSR1 turned into calls from the Qt event loop, so that
// what they start may send frames. The handlers only write the signal's number
// to a pipe. A second SIGINT or SIGTERM ends the process at once, after LastWords:
// a stop that hangs can still be stopped.
// One instance at a time; it restores the default handlers when it ends.
class THostSignals {
public:
    // LastWords runs inside the signal handler, so it may make async-signal-safe calls only.
    THostSignals(
        std::function<void()> OnStop, std::function<void()> OnQuitRequest, void (*LastWords)() = nullptr);
    ~THostSignals();
    THostSignals(const THostSignals&) = delete;
    THostSignals& operator=(const THostSignals&) = delete;

private:
    void Serve();

    platform::TUniqueFd FRead;
    platform::TUniqueFd FWrite;
    std::unique_ptr<QSocketNotifier> FNotifier;
    std::function<void()> FOnStop;
    std::function<void()> FOnQuitRequest;
};
