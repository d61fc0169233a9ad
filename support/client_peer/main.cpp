// A program with the host-link client, for tests of the component's life cycle across
// processes: hostlink_client_peer [--host] [--multistart] [--refuse-quit] [PARAMETER...]
//
// It runs the client's start-up (standalone unless --host; one running copy unless
// --multistart), then writes "ready <own window> <lock handle>" and its parameter list, and
// serves until its component ends (status 0) or its standard input ends. What reaches it is
// written to standard output line by line: "params <p1>|<p2>|..." for a parameter list (its
// own at start, another copy's later), "quit <0|1>" for a quit request. A start-up error ends it with status
// 1 and the message on standard error; a second copy ends with status 0 after writing "second copy".
#include "ELernix.h"
#include "PeerLifetime.h"
#include "TProgramHalt.h"
#include "TkdbDemonClient.h"

#include <QCoreApplication>
#include <QPointer>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool HasOption(int ArgC, char** ArgV, const char* Option)
{
    for (int i = 1; i < ArgC; ++i)
        if (std::strcmp(ArgV[i], Option) == 0)
            return true;
    return false;
}

void WriteLine(const std::string& Line)
{
    std::fprintf(stdout, "%s\n", Line.c_str());
    std::fflush(stdout);
}

void WriteParams(TkdbCustomDemon* Demon)
{
    std::string line = "params";
    for (int i = 1; i <= Demon->ParamCount(); ++i)
        line += (i == 1 ? " " : "|") + Demon->ParamStr(i);
    WriteLine(line);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QuitOnTerminationSignals();
    QuitAtEndOfInput();
    const bool refuseQuit = HasOption(argc, argv, "--refuse-quit");
    QPointer<TkdbDemonClient> client;
    try {
        client = new TkdbDemonClient();
        client->SetUseVandrelServer(HasOption(argc, argv, "--host"));
        client->SetMultiStart(HasOption(argc, argv, "--multistart"));
        client->SetOnParamsChange(WriteParams);
        client->SetOnQuitMsgReceived([refuseQuit](TkdbCustomDemon*, bool ServerDown, bool& AllowQuit) {
            WriteLine(std::string("quit ") + (ServerDown ? "1" : "0"));
            AllowQuit = !refuseQuit;
        });
        client->Loaded();
    } catch (const ELernix& e) {
        delete client;
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    } catch (const TProgramHalt& halt) {
        delete client;
        WriteLine("second copy");
        return halt.ExitCode;
    }
    WriteLine("ready " + std::to_string(client->OwnEntity().Handle) + " "
        + std::to_string(client->OwnEntity().MutexHandle));
    WriteParams(client);
    const int status = QCoreApplication::exec();
    delete client;
    return status;
}
