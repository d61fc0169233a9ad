#include "TkdbDemonClient.h"

#include "ELernix.h"
#include "FileNames.h"
#include "HostRequests.h"
#include "MessageKinds.h"
#include "ProcessWait.h"

#include <QtDebug>

TkdbDemonClient::TkdbDemonClient(QObject* Owner, platform::TWindowMessaging* Messaging)
    : TkdbCustomDemon(Owner, Messaging)
{
    MakeHiddenWindow();
}

TkdbDemonClient::~TkdbDemonClient()
{
    if (FServerDown)
        return;
    // A host that answers the look-up of an empty record field with garbage must not end
    // the program from a destructor.
    try {
        UnregisterAtHost();
    } catch (const std::exception& E) {
        qWarning("host link: could not unregister: %s", E.what());
    }
}

void TkdbDemonClient::Loaded()
{
    Connect();
    TkdbCustomDemon::Loaded();
}

void TkdbDemonClient::Connect()
{
    if (UseVandrelServer()) {
        CheckLink();
        if (FServerEntity->Handle == 0)
            throw ELernix("Lernix server application is not running");
        RegisterAtHost();
    }
    LoadTranslation();
}

void TkdbDemonClient::SendOwnEntity(std::int32_t Kind)
{
    TLernixMessageStream Message(this);
    Message.MsgKind = Kind;
    FOwnEntity->WriteTo(Message);
    Send(*FServerEntity, Message, nullptr);
}

void TkdbDemonClient::RegisterAtHost()
{
    SendOwnEntity(lmRegister);
}

void TkdbDemonClient::UnregisterAtHost()
{
    SendOwnEntity(lmUnregister);
}

std::string TkdbDemonClient::GetWindowClassName() const
{
    return "ThisIsTheLernixClientComponentWindowClass";
}

std::string TkdbDemonClient::GetWindowName() const
{
    return {};
}

std::unique_ptr<TLernixMessageStream> TkdbDemonClient::Request(std::int32_t Kind, const TWritePayload& Write)
{
    TLernixMessageStream Query(this);
    auto Reply = std::make_unique<TLernixMessageStream>(this);
    Query.MsgKind = Kind;
    Write(Query);
    Query.SendTo(*FServerEntity, Reply.get());
    Reply->SetPosition(0);
    return Reply;
}

std::unique_ptr<TLernixMessageStream> TkdbDemonClient::AskText(std::int32_t Kind, const std::string& Text)
{
    return Request(Kind, [&](TLernixMessageStream& Q) { TTextMessage { Text }.Write(Q); });
}

std::unique_ptr<TEntity> TkdbDemonClient::FindEntity(const TQueryEntityRequest& Query)
{
    const auto Reply = Request(lmQueryEntity, [&](TLernixMessageStream& Q) { Query.Write(Q); });
    std::optional<TEntity> Found = TQueryEntityReply::Read(*Reply, this).Entity;
    return Found ? std::make_unique<TEntity>(std::move(*Found)) : nullptr;
}

std::unique_ptr<TEntity> TkdbDemonClient::FindEntityByTitle(const std::string& Title)
{
    return FindEntity(TQueryEntityRequest::ByTitle(Title));
}

std::unique_ptr<TEntity> TkdbDemonClient::FindEntityByHandle(TWindowHandle Handle)
{
    return FindEntity(TQueryEntityRequest::ByHandle(Handle));
}

std::int32_t TkdbDemonClient::ExecuteProgram(
    const std::string& Program, const std::string& Parameters, bool Wait, std::int32_t Option)
{
    const TExecuteRequest Execute { Program, Parameters, Wait, Option };
    const auto Reply = Request(lmExecute, [&](TLernixMessageStream& Q) { Execute.Write(Q); });
    const std::int32_t Process = TExecuteReply::Read(*Reply).Process;
    const std::string CouldNotExecute = "Could not execute \"" + Program + ".\"";
    if (Process == 0)
        throw ELernix(CouldNotExecute);
    if (!Wait)
        return Process;
    const platform::TProcessEnd End
        = platform::WaitForProcessEnd(Process, [this](int Fd) { ServeUntilReadable(Fd); });
    switch (End.Outcome) {
    case platform::TProcessWaitOutcome::Ended:
        return End.ExitCode;
    case platform::TProcessWaitOutcome::EndedStatusUnknown:
        return UnknownExitCode;
    case platform::TProcessWaitOutcome::CannotWait:
        break;
    }
    qWarning("host link: cannot wait for process %d: %s", Process, End.Why.c_str());
    throw ELernix(CouldNotExecute);
}

std::unique_ptr<TMemoryStream> TkdbDemonClient::GetFileStream(const std::string& Name)
{
    const TGetFileReply Found = TGetFileReply::Read(*AskText(lmGetFile, Name));
    if (!Found.Bytes)
        return nullptr;
    auto File = std::make_unique<TMemoryStream>();
    File->WriteBuffer(Found.Bytes->data(), Found.Bytes->size());
    File->SetPosition(0);
    return File;
}

std::string TkdbDemonClient::ResolveFileName(const std::string& Name)
{
    return TTextMessage::Read(*AskText(lmResolveName, Name)).Text;
}

std::string TkdbDemonClient::QueryHostString(const std::string& Text)
{
    return TTextMessage::Read(*AskText(lmQueryString, Text)).Text;
}

std::string TkdbDemonClient::GetHostValue(const std::string& Key)
{
    if (UseVandrelServer())
        return TTextMessage::Read(*AskText(lmGetValue, Key)).Text;
    if (Key != WorkAreaKey && Key != HomeDirKey)
        return {};
    std::string Folder = ExtractFilePath(ParamStr(0));
    if (!Folder.empty() && !Folder.ends_with('\\') && !Folder.ends_with('/'))
        Folder += '\\';
    return Folder;
}
