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
    const auto found = std::find_if(Participants.begin(), Participants.end(),
        [&](const TEntity& Entity) { return Entity.Title == Title; });
    return found == Participants.end() ? nullptr : std::make_unique<TEntity>(*found);
}

std::unique_ptr<TEntity> TTestHost::FindEntityByHandle(TWindowHandle Handle)
{
    const auto found = std::find_if(Participants.begin(), Participants.end(),
        [&](const TEntity& Entity) { return Entity.Handle == Handle; });
    return found == Participants.end() ? nullptr : std::make_unique<TEntity>(*found);
}

std::int32_t TTestHost::ExecuteProgram(
    const std::string& Program, const std::string& Parameters, bool, std::int32_t)
{
    qint64 process = 0;
    const QStringList arguments = QString::fromLocal8Bit(Parameters).split(' ', Qt::SkipEmptyParts);
    if (!QProcess::startDetached(QString::fromLocal8Bit(Program), arguments, {}, &process))
        return 0;
    return static_cast<std::int32_t>(process);
}

std::unique_ptr<TMemoryStream> TTestHost::GetFileStream(const std::string& Name)
{
    const auto found = Files.find(Name);
    if (found == Files.end())
        return nullptr;
    auto file = std::make_unique<TMemoryStream>();
    file->WriteBuffer(found->second.data(), found->second.size());
    file->SetPosition(0);
    return file;
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
    TLernixMessageStream reply(this);
    reply.MsgKind = lmReply;
    reply.SetStamp(Request.Stamp());
    if (Fill(Request, reply))
        Transmit(*Request.SenderEntity, reply, nullptr);
}

bool TTestHost::Fill(TLernixMessageStream& Request, TLernixMessageStream& Reply)
{
    switch (Request.MsgKind) {
    case lmRegister:
    case lmUnregister: {
        TEntity participant(this);
        participant.ReadFrom(Request);
        std::erase_if(
            Participants, [&](const TEntity& Entity) { return Entity.Handle == participant.Handle; });
        if (Request.MsgKind == lmRegister)
            Participants.push_back(participant);
        return false;
    }
    case lmQueryEntity: {
        const std::uint8_t selector = ReadStreamByte(Request);
        const std::unique_ptr<TEntity> found = selector == QueryEntityByHandle
            ? FindEntityByHandle(ReadStreamInteger(Request))
            : FindEntityByTitle(Request.ReadString());
        if (found)
            found->WriteTo(Reply);
        return true;
    }
    case lmGetFile: {
        const std::unique_ptr<TMemoryStream> file = GetFileStream(Request.ReadString());
        WriteStreamBoolean(Reply, file != nullptr);
        if (file)
            Reply.CopyFrom(*file);
        return true;
    }
    case lmResolveName:
        Reply.WriteString(ResolveFileName(Request.ReadString()));
        return true;
    case lmQueryString: {
        const std::string text = Request.ReadString();
        if (text == "stale")
            Reply.StampDate += 1;
        Reply.WriteString(QueryHostString(text));
        return true;
    }
    case lmGetValue:
        Reply.WriteString(GetHostValue(Request.ReadString()));
        return true;
    case lmExecute: {
        const std::string program = Request.ReadString();
        const std::string parameters = Request.ReadString();
        const bool wait = ReadStreamBoolean(Request);
        WriteStreamInteger(Reply, ExecuteProgram(program, parameters, wait, ReadStreamInteger(Request)));
        return true;
    }
    default:
        return false;
    }
}
