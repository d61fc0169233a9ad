// lernix-host: a host application for the Lernix host link (see --help).
#include "HostDiscovery.h"
#include "ProgramStart.h"
#include "THostOptions.h"
#include "THostSignals.h"
#include "TLernixHost.h"
#include "TServedFolder.h"
#include "TViewerHandlePublication.h"
#include "TWindowMessaging.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

void Log(const std::string& Line)
{
    std::fprintf(stderr, "lernix-host: %s\n", Line.c_str());
}

// Reads the folder and the values file of the command line.
THostContent LoadContent(const THostOptions& Options)
{
    THostContent Content;
    if (Options.FilesFolder)
        Content.Files = std::make_shared<TServedFolder>(*Options.FilesFolder);
    if (Options.ValuesFile)
        Content.Values = TValueTable::Load(*Options.ValuesFile);
    Content.Start = StartDetached;
    Content.Log = Log;
    Content.Verbose = Options.Verbose;
    return Content;
}

int Serve(const THostOptions& Options, THostContent Content)
{
    const auto Messaging = platform::CreatePosixWindowMessaging();
    // The signals are caught before anything is published or the window can be found, so
    // that a stop right after start-up still restores what was published. Their calls come
    // from the event loop, which runs only once the host exists.
    std::optional<TLernixHost> Host;
    const THostSignals Signals(
        [&Host] {
            Host->QuitParticipants(true);
            QCoreApplication::quit();
        },
        [&Host] { Host->QuitParticipants(false); }, TViewerHandlePublication::RestoreInHaste);
    // Published before the window, so that whoever finds the window also finds the suffix.
    std::optional<TViewerHandlePublication> Publication;
    if (Options.Publish)
        Publication.emplace(Options.Suffix);
    Host.emplace(*Messaging, Options.Suffix, std::move(Content));
    Log("window " + std::to_string(Host->Handle()) + " is ready");
    if (!Options.Participant.empty()) {
        std::vector<std::string> Arguments(Options.Participant.begin() + 1, Options.Participant.end());
        Arguments.push_back(ServerHandleSwitch + Options.Suffix);
        const std::int64_t Pid = StartDetached(Options.Participant.front(), Arguments);
        if (Pid == 0)
            throw std::runtime_error("could not start " + Options.Participant.front());
        Log("started " + Options.Participant.front() + " as process " + std::to_string(Pid));
    }
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    // A log line to a closed standard error must not end the host.
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string> Arguments(argv + 1, argv + argc);
    QCoreApplication App(argc, argv);
    THostOptions Options;
    THostContent Content;
    try {
        Options = ParseHostOptions(Arguments);
        if (Options.Help) {
            std::fputs(HostUsage().c_str(), stdout);
            return 0;
        }
        if (Options.Version) {
            std::puts("lernix-host " FOKALIS_TOOL_VERSION);
            return 0;
        }
        Content = LoadContent(Options);
    } catch (const std::exception& Error) {
        Log(Error.what());
        std::fputs("Try \"lernix-host --help\".\n", stderr);
        return 2;
    }
    try {
        return Serve(Options, std::move(Content));
    } catch (const std::exception& Error) {
        Log(Error.what());
        return 1;
    }
}
