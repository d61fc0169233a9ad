#pragma once

#include "TLernixHost.h"

#include <functional>
#include <map>
#include <string>

class TLernixMessageStream;

// lernix-host's host as tests and benchmarks run it: it serves Files from memory (by the
// names a served folder would have), answers TestHostValues, starts programs detached,
// logs only its faults (to standard error), and counts its answers. Its one difference
// from a user's host: an lmQueryString for "stale" is answered with a stamp one day
// later, so that the reply matches no request.
class TTestHost : public TLernixHost {
public:
    TTestHost(platform::TWindowMessaging& Messaging, const std::string& Suffix,
        std::map<std::string, std::string> Files = {});

    // Answers sent so far.
    int Answers() const { return FAnswers; }
    // Sees each answer after the host has filled it and may change it (a short one, say).
    std::function<void(const TLernixMessageStream& Request, TLernixMessageStream& Answer)> OnAnswer;

private:
    static THostContent Content(TTestHost* Host, std::map<std::string, std::string> Files);
    void BeforeReply(const TLernixMessageStream& Request, TLernixMessageStream& Answer);

    int FAnswers = 0;
};

// The values the test host answers lmGetValue and lmQueryString with; a function, so that
// benchmarks may read them while their own globals are made.
const std::map<std::string, std::string>& TestHostValues();
