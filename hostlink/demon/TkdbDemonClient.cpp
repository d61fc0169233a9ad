#include "TkdbDemonClient.h"

#include "ELernix.h"
#include "FileNames.h"
#include "MessageKinds.h"
#include "ProcessWait.h"
#include "StreamEncoding.h"

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

std::unique_ptr<TEntity> TkdbDemonClient::FindEntity(const TWritePayload& Write)
{
    const auto Reply = Request(lmQueryEntity, Write);
    if (Reply->Size() == 0)
        return nullptr;
    auto Entity = std::make_unique<TEntity>(this);
    Entity->ReadFrom(*Reply);
    return Entity;
}

std::unique_ptr<TEntity> TkdbDemonClient::FindEntityByTitle(const std::string& Title)
{
    return FindEntity([&](TLernixMessageStream& Q) {
        WriteStreamByte(Q, QueryEntityByTitle);
        Q.WriteString(Title);
    });
}

std::unique_ptr<TEntity> TkdbDemonClient::FindEntityByHandle(TWindowHandle Handle)
{
    return FindEntity([&](TLernixMessageStream& Q) {
        WriteStreamByte(Q, QueryEntityByHandle);
        WriteStreamInteger(Q, Handle);
    });
}

std::int32_t TkdbDemonClient::ExecuteProgram(
    const std::string& Program, const std::string& Parameters, bool Wait, std::int32_t Option)
{
    const auto Reply = Request(lmExecute, [&](TLernixMessageStream& Q) {
        Q.WriteString(Program);
        Q.WriteString(Parameters);
        WriteStreamBoolean(Q, Wait);
        WriteStreamInteger(Q, Option);
    });
    const std::int32_t Process = ReadStreamInteger(*Reply);
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
    const auto Reply = Request(lmGetFile, [&](TLernixMessageStream& Q) { Q.WriteString(Name); });
    if (!ReadStreamBoolean(*Reply))
        return nullptr;
    auto File = std::make_unique<TMemoryStream>();
    const std::vector<std::uint8_t>& Bytes = Reply->Bytes();
    File->WriteBuffer(Bytes.data() + Reply->Position(), static_cast<std::size_t>(Reply->Remaining()));
    File->SetPosition(0);
    return File;
}

std::string TkdbDemonClient::ResolveFileName(const std::string& Name)
{
    return Request(lmResolveName, [&](TLernixMessageStream& Q) { Q.WriteString(Name); })->ReadString();
}

std::string TkdbDemonClient::QueryHostString(const std::string& Text)
{
    return Request(lmQueryString, [&](TLernixMessageStream& Q) { Q.WriteString(Text); })->ReadString();
}

std::string TkdbDemonClient::GetHostValue(const std::string& Key)
{
    if (UseVandrelServer())
        return Request(lmGetValue, [&](TLernixMessageStream& Q) { Q.WriteString(Key); })->ReadString();
    if (Key != WorkAreaKey && Key != HomeDirKey)
        return {};
    std::string Folder = ExtractFilePath(ParamStr(0));
    if (!Folder.empty() && !Folder.ends_with('\\') && !Folder.ends_with('/'))
        Folder += '\\';
    return Folder;
}
