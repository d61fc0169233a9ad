#include "TkdbDemonClient.h"

#include "ELernix.h"
#include "MessageKinds.h"
#include "ProcessWait.h"
#include "ProgramFileNames.h"
#include "StreamEncoding.h"

#include <QtDebug>

TkdbDemonClient::TkdbDemonClient(QObject* Owner, platform::TWindowMessaging* Messaging)
    : TkdbCustomDemon(Owner, Messaging)
{
    MakeHiddenWindow();
}

TkdbDemonClient::~TkdbDemonClient()
{
    if (!FServerDown)
        UnregisterAtHost();
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
    TLernixMessageStream message(this);
    message.MsgKind = Kind;
    FOwnEntity->WriteTo(message);
    Send(*FServerEntity, message, nullptr);
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
    TLernixMessageStream request(this);
    auto reply = std::make_unique<TLernixMessageStream>(this);
    request.MsgKind = Kind;
    Write(request);
    request.SendTo(*FServerEntity, reply.get());
    reply->SetPosition(0);
    return reply;
}

std::unique_ptr<TEntity> TkdbDemonClient::FindEntity(const TWritePayload& Write)
{
    const auto reply = Request(lmQueryEntity, Write);
    if (reply->Size() == 0)
        return nullptr;
    auto entity = std::make_unique<TEntity>(this);
    entity->ReadFrom(*reply);
    return entity;
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
    const auto reply = Request(lmExecute, [&](TLernixMessageStream& Q) {
        Q.WriteString(Program);
        Q.WriteString(Parameters);
        WriteStreamBoolean(Q, Wait);
        WriteStreamInteger(Q, Option);
    });
    const std::int32_t process = ReadStreamInteger(*reply);
    const std::string couldNotExecute = "Could not execute \"" + Program + ".\"";
    if (process == 0)
        throw ELernix(couldNotExecute);
    if (!Wait)
        return process;
    const platform::TProcessEnd end = platform::WaitForProcessEnd(process);
    switch (end.Outcome) {
    case platform::TProcessWaitOutcome::Ended:
        return end.ExitCode;
    case platform::TProcessWaitOutcome::EndedStatusUnknown:
        return UnknownExitCode;
    case platform::TProcessWaitOutcome::CannotWait:
        break;
    }
    qWarning("host link: cannot wait for process %d: %s", process, end.Why.c_str());
    throw ELernix(couldNotExecute);
}

std::unique_ptr<TMemoryStream> TkdbDemonClient::GetFileStream(const std::string& Name)
{
    const auto reply = Request(lmGetFile, [&](TLernixMessageStream& Q) { Q.WriteString(Name); });
    if (!ReadStreamBoolean(*reply))
        return nullptr;
    auto file = std::make_unique<TMemoryStream>();
    const std::vector<std::uint8_t>& bytes = reply->Bytes();
    file->WriteBuffer(bytes.data() + reply->Position(), static_cast<std::size_t>(reply->Remaining()));
    file->SetPosition(0);
    return file;
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
    std::string folder = ExtractFilePath(ParamStr(0));
    if (!folder.empty() && !folder.ends_with('\\') && !folder.ends_with('/'))
        folder += '\\';
    return folder;
}
