// lernix-client: one request to a host application of the Lernix host link (see --help).
#include "ProbeRequests.h"
#include "TClientOptions.h"
#include "TProbeClient.h"
#include "TWindowMessaging.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Says why the request failed; gives the status for it.
int Fail(const char* Why)
{
    std::fprintf(stderr, "lernix-client: %s\n", Why);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> Arguments(argv + 1, argv + argc);
    QCoreApplication App(argc, argv);
    TClientOptions Options;
    try {
        Options = ParseClientOptions(Arguments);
    } catch (const std::invalid_argument& Error) {
        std::fprintf(stderr, "lernix-client: %s\nTry \"lernix-client --help\".\n", Error.what());
        return 2;
    }
    if (Options.Help) {
        std::fputs(ClientUsage().c_str(), stdout);
        return 0;
    }
    if (Options.Version) {
        std::puts("lernix-client " FOKALIS_TOOL_VERSION);
        return 0;
    }
    try {
        const auto Messaging = platform::CreatePosixWindowMessaging();
        TProbeClient Client(*Messaging, HostSuffix(Options));
        Client.Join();
        AskHost(Client, Options, std::cout);
        return std::cout ? 0 : Fail("could not write the answer");
    } catch (const std::exception& Error) {
        return Fail(Error.what());
    }
}
