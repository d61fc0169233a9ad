// A program with the host-link client, for tests of the component's life cycle across
// processes: hostlink_client_peer [--host] [--multistart] [PARAMETER...]
//
// It runs the client's start-up (standalone unless --host; one running copy unless
// --multistart), then writes "ready <own window> <lock handle>" and its parameter list, and
// serves until its component ends (status 0) or its standard input ends. What reaches it is
// written to standard output: "params <p1>|<p2>|..." for a parameter list (its own at start,
// another copy's later). A start-up error ends it with status
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
    for (int I = 1; I < ArgC; ++I)
        if (std::strcmp(ArgV[I], Option) == 0)
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
    std::string Line = "params";
    for (int I = 1; I <= Demon->ParamCount(); ++I)
        Line += (I == 1 ? " " : "|") + Demon->ParamStr(I);
    WriteLine(Line);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication App(argc, argv);
    QuitOnTerminationSignals();
    QuitAtEndOfInput();
    QPointer<TkdbDemonClient> Client;
    try {
        Client = new TkdbDemonClient();
        Client->SetUseVandrelServer(HasOption(argc, argv, "--host"));
        Client->SetMultiStart(HasOption(argc, argv, "--multistart"));
        Client->SetOnParamsChange(WriteParams);
        Client->Loaded();
    } catch (const ELernix& E) {
        delete Client;
        std::fprintf(stderr, "%s\n", E.what());
        return 1;
    } catch (const TProgramHalt& Halt) {
        delete Client;
        WriteLine("second copy");
        return Halt.ExitCode;
    }
    WriteLine("ready " + std::to_string(Client->OwnEntity().Handle) + " "
        + std::to_string(Client->OwnEntity().MutexHandle));
    WriteParams(Client);
    const int Status = QCoreApplication::exec();
    delete Client;
    return Status;
}
