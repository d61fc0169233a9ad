#include "TTestHost.h"

#include "HostDiscovery.h"
#include "MessageKinds.h"
#include "StreamEncoding.h"

#include <QProcess>

#include <algorithm>

TTestHost::TTestHost(platform::TWindowMessaging* Messaging, const std::string& Suffix, QObject* Owner)
    : TkdbCustomDemon(Owner, Messaging)
    , FClassName(ServerWindowClassName + Suffix)
    , FWindowName(ServerWindowName + Suffix)
{
    MakeHiddenWindow();
    SetOnGotAMessage([this](TkdbCustomDemon*, TLernixMessageStream& Msg) { Answer(Msg); });
}

std::unique_ptr<TEntity> TTestHost::FindEntityByTitle(const std::string& Title)
{
    const auto Found = std::find_if(Participants.begin(), Participants.end(),
        [&](const TEntity& Entity) { return Entity.Title == Title; });
    return Found == Participants.end() ? nullptr : std::make_unique<TEntity>(*Found);
}

std::unique_ptr<TEntity> TTestHost::FindEntityByHandle(TWindowHandle Handle)
{
    const auto Found = std::find_if(Participants.begin(), Participants.end(),
        [&](const TEntity& Entity) { return Entity.Handle == Handle; });
    return Found == Participants.end() ? nullptr : std::make_unique<TEntity>(*Found);
}

std::int32_t TTestHost::ExecuteProgram(
    const std::string& Program, const std::string& Parameters, bool, std::int32_t)
{
    qint64 Process = 0;
    const QStringList Arguments = QString::fromLocal8Bit(Parameters).split(' ', Qt::SkipEmptyParts);
    if (!QProcess::startDetached(QString::fromLocal8Bit(Program), Arguments, {}, &Process))
        return 0;
    return static_cast<std::int32_t>(Process);
}

std::unique_ptr<TMemoryStream> TTestHost::GetFileStream(const std::string& Name)
{
    const auto Found = Files.find(Name);
    if (Found == Files.end())
        return nullptr;
    auto File = std::make_unique<TMemoryStream>();
    File->WriteBuffer(Found->second.data(), Found->second.size());
    File->SetPosition(0);
    return File;
}

std::string TTestHost::ResolveFileName(const std::string& Name)
{
    return Name;
}

std::string TTestHost::QueryHostString(const std::string& Text)
{
    return Text;
}

std::string TTestHost::GetHostValue(const std::string& Key)
{
    return "value of " + Key;
}

void TTestHost::Answer(TLernixMessageStream& Request)
{
    ++Requests;
    TLernixMessageStream Reply(this);
    Reply.MsgKind = lmReply;
    Reply.SetStamp(Request.Stamp());
    if (Fill(Request, Reply))
        Transmit(*Request.SenderEntity, Reply, nullptr);
}

bool TTestHost::Fill(TLernixMessageStream& Request, TLernixMessageStream& Reply)
{
    switch (Request.MsgKind) {
    case lmRegister:
    case lmUnregister: {
        TEntity Participant(this);
        Participant.ReadFrom(Request);
        std::erase_if(
            Participants, [&](const TEntity& Entity) { return Entity.Handle == Participant.Handle; });
        if (Request.MsgKind == lmRegister)
            Participants.push_back(Participant);
        return false;
    }
    case lmQueryEntity: {
        const std::uint8_t Selector = ReadStreamByte(Request);
        const std::unique_ptr<TEntity> Found = Selector == QueryEntityByHandle
            ? FindEntityByHandle(ReadStreamInteger(Request))
            : FindEntityByTitle(Request.ReadString());
        if (Found)
            Found->WriteTo(Reply);
        return true;
    }
    case lmGetFile: {
        const std::unique_ptr<TMemoryStream> File = GetFileStream(Request.ReadString());
        WriteStreamBoolean(Reply, File != nullptr);
        if (File)
            Reply.CopyFrom(*File);
        return true;
    }
    case lmResolveName:
        Reply.WriteString(ResolveFileName(Request.ReadString()));
        return true;
    case lmQueryString: {
        const std::string Text = Request.ReadString();
        if (Text == "stale")
            Reply.StampDate += 1;
        Reply.WriteString(QueryHostString(Text));
        return true;
    }
    case lmGetValue:
        Reply.WriteString(GetHostValue(Request.ReadString()));
        return true;
    case lmExecute: {
        const std::string Program = Request.ReadString();
        const std::string Parameters = Request.ReadString();
        const bool Wait = ReadStreamBoolean(Request);
        WriteStreamInteger(Reply, ExecuteProgram(Program, Parameters, Wait, ReadStreamInteger(Request)));
        return true;
    }
    default:
        return false;
    }
}
