#include "ProbeRequests.h"

#include "HostDiscovery.h"
#include "TkdbDemonClient.h"

#include <ostream>
#include <stdexcept>

namespace {

void WriteEntity(const std::unique_ptr<TEntity>& Entity, const std::string& Key, std::ostream& Out)
{
    if (!Entity)
        throw std::runtime_error("the host knows no participant " + Key);
    Out << "Handle=" << Entity->Handle << "\nMutexHandle=" << Entity->MutexHandle
        << "\nExeName=" << Entity->ExeName << "\nTitle=" << Entity->Title << '\n';
}

} // namespace

std::string HostSuffix(const TClientOptions& Options)
{
    if (Options.Suffix)
        return *Options.Suffix;
    return GetServerHandleSuffix(ReadViewerHandle(), Options.ServerHandleSwitches);
}

void AskHost(TkdbDemonClient& Client, const TClientOptions& Options, std::ostream& Out)
{
    const std::string& Argument = Options.Argument;
    switch (Options.Request) {
    case TClientRequest::GetFile: {
        const std::unique_ptr<TMemoryStream> File = Client.GetFileStream(Argument);
        if (!File)
            throw std::runtime_error("the host has no file \"" + Argument + "\"");
        const std::vector<std::uint8_t>& Bytes = File->Bytes();
        Out.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
        break;
    }
    case TClientRequest::Resolve:
        Out << Client.ResolveFileName(Argument) << '\n';
        break;
    case TClientRequest::Query:
        Out << Client.QueryHostString(Argument) << '\n';
        break;
    case TClientRequest::Value:
        Out << Client.GetHostValue(Argument) << '\n';
        break;
    case TClientRequest::Execute:
        Out << Client.ExecuteProgram(Argument, Options.Parameters, Options.Wait, Options.Option) << '\n';
        break;
    case TClientRequest::FindTitle:
        WriteEntity(Client.FindEntityByTitle(Argument), "titled \"" + Argument + "\"", Out);
        break;
    case TClientRequest::FindHandle:
        WriteEntity(
            Client.FindEntityByHandle(Options.Handle), "with window " + std::to_string(Options.Handle), Out);
        break;
    }
    Out.flush();
}
