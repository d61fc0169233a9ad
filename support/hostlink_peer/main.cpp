// The test host in its own process. It serves until SIGINT or SIGTERM arrives (or, with
// --until-eof, until its standard input ends), then takes its window down and exits with
// status 0.
#include "PeerLifetime.h"
#include "TTestHost.h"
#include "TWindowMessaging.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr const char* Usage = "usage: hostlink_peer [--until-eof] SUFFIX\n"
                              "Serves as the host window with the name suffix SUFFIX (may be empty).\n";

struct TPeerOptions {
    bool UntilEof = false;
    std::string Suffix;
};

// The options, or nothing when the command line is not one of the usage's.
std::optional<TPeerOptions> ParseOptions(int ArgC, char** ArgV)
{
    TPeerOptions Options;
    int Next = 1;
    if (Next < ArgC && std::strcmp(ArgV[Next], "--until-eof") == 0) {
        Options.UntilEof = true;
        ++Next;
    }
    // A suffix that starts like an option is a mistyped option, never a window name.
    if (Next != ArgC - 1 || ArgV[Next][0] == '-')
        return std::nullopt;
    Options.Suffix = ArgV[Next];
    return Options;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(Usage, stdout);
        return 0;
    }
    const std::optional<TPeerOptions> Options = ParseOptions(argc, argv);
    if (!Options) {
        std::fputs(Usage, stderr);
        return 2;
    }
    QCoreApplication App(argc, argv);
    QuitOnTerminationSignals();
    if (Options->UntilEof)
        QuitAtEndOfInput();
    const auto Messaging = platform::CreatePosixWindowMessaging();
    TTestHost Host(*Messaging, Options->Suffix);
    return QCoreApplication::exec();
}
