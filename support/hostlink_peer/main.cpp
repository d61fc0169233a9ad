// A test host in its own process. It serves until a quit message, SIGINT or SIGTERM arrives
// (or, with --until-eof, until its standard input ends), then takes its window down and exits
// with status 0.
#include "PeerLifetime.h"
#include "TTestHost.h"
#include "WindowMessaging.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

namespace {

constexpr const char* Usage = "usage: hostlink_peer [--until-eof] SUFFIX\n"
                              "Serves as the host window with the name suffix SUFFIX (may be empty).\n";

class TPeerHost : public TTestHost {
public:
    using TTestHost::TTestHost;

protected:
    void ReleaseOnQuit() override { QCoreApplication::quit(); }
};

struct TPeerOptions {
    bool UntilEof = false;
    std::string Suffix;
};

// The options, or nothing when the command line is not one of the usage's.
std::optional<TPeerOptions> ParseOptions(int ArgC, char** ArgV)
{
    TPeerOptions options;
    int next = 1;
    if (next < ArgC && std::strcmp(ArgV[next], "--until-eof") == 0) {
        options.UntilEof = true;
        ++next;
    }
    // A suffix that starts like an option is a mistyped option, never a window name.
    if (next != ArgC - 1 || ArgV[next][0] == '-')
        return std::nullopt;
    options.Suffix = ArgV[next];
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::fputs(Usage, stdout);
        return 0;
    }
    const std::optional<TPeerOptions> options = ParseOptions(argc, argv);
    if (!options) {
        std::fputs(Usage, stderr);
        return 2;
    }
    QCoreApplication app(argc, argv);
    QuitOnTerminationSignals();
    if (options->UntilEof)
        QuitAtEndOfInput();
    const auto messaging = platform::CreatePosixWindowMessaging();
    TPeerHost host(messaging.get(), options->Suffix);
    return QCoreApplication::exec();
}
