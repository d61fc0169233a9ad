#include "TkdbCustomDemon.h"

#include "DemonWindowClass.h"
#include "ELernix.h"
#include "HostDiscovery.h"
#include "MessageFrame.h"
#include "MessageKinds.h"
#include "ParamListText.h"
#include "ProgramFileNames.h"
#include "RuntimeFolder.h"
#include "StreamEncoding.h"
#include "TProgramHalt.h"
#include "TSingleInstanceLock.h"
#include "Tolkar2000.h"
#include "WindowMessaging.h"

#include <QCoreApplication>
#include <QtDebug>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

static_assert(
    MaxFrameDataSize == platform::MaxCopyDataSize, "the host link and the window layer share one cap");

namespace {

constexpr const char* CouldNotCreateWindow = "Could not create window handle";

std::string ApplicationTitle()
{
    return QCoreApplication::applicationName().toLocal8Bit().toStdString();
}

} // namespace

TkdbCustomDemon::TkdbCustomDemon(QObject* Owner, platform::TWindowMessaging* Messaging)
    : QObject(Owner)
    , FServerEntity(std::make_unique<TEntity>(this))
    , FOwnEntity(std::make_unique<TEntity>(this))
    , FMessaging(Messaging)
    , FTranslator(std::make_unique<TTolkar2000>())
{
    if (!FMessaging) {
        try {
            FOwnMessaging = platform::CreatePosixWindowMessaging();
            FMessaging = FOwnMessaging.get();
        } catch (const platform::EWindowMessaging& e) {
            LoseLink(e.what());
        }
    }
    if (FMessaging)
        FServerEntity->Handle = FindServerWindow(*FMessaging);
    ReadParams();
}

TkdbCustomDemon::~TkdbCustomDemon()
{
    FPending.clear();
    TearDownHiddenWindow();
    FLock.reset();
    FOwnEntity->MutexHandle = 0;
    FTranslator.reset();
    QCoreApplication::quit();
}

void TkdbCustomDemon::LoseLink(const std::string& Why)
{
    FLinkProblem = Why;
    FMessaging = nullptr;
}

void TkdbCustomDemon::Loaded()
{
    CheckLink();
    CheckMultiStart();
}

void TkdbCustomDemon::CheckLink() const
{
    if (!FLinkProblem.empty()) {
        if (FUseVandrelServer) {
            qWarning("host link: %s", FLinkProblem.c_str());
            throw ELernix(CouldNotCreateWindow);
        }
        std::fprintf(stderr, "%s: running without host link and single-copy check: %s\n",
            ExtractFileName(ApplicationFileName()).c_str(), FLinkProblem.c_str());
    }
}

int TkdbCustomDemon::ParamCount() const
{
    return static_cast<int>(FParams.size()) - 1;
}

std::string TkdbCustomDemon::ParamStr(int Index) const
{
    if (Index < 0 || Index > ParamCount())
        throw ELernix("Illegal \"ParamStr\" parameter: " + std::to_string(Index));
    return Index == 0 ? ApplicationFileName() : FParams[static_cast<std::size_t>(Index)];
}

void TkdbCustomDemon::ReadParams()
{
    const QStringList arguments = QCoreApplication::arguments();
    FParams.assign(1, arguments.isEmpty() ? std::string() : arguments.front().toLocal8Bit().toStdString());
    for (std::string& parameter : CommandLineParameters())
        if (!parameter.starts_with(ServerHandleSwitch))
            FParams.push_back(std::move(parameter));
}

void TkdbCustomDemon::CheckMultiStart()
{
    if (FMultiStart || !FLinkProblem.empty())
        return;
    std::optional<platform::TSingleInstanceLock> lock;
    try {
        lock = platform::TSingleInstanceLock::TryAcquire(
            platform::PrepareRuntimeFolder(), FOwnEntity->MutexName());
    } catch (const platform::EWindowMessaging& e) {
        // The folder was fit when the window was made; it has been tampered with since.
        throw ELernix(e.what());
    }
    if (lock) {
        FLock = std::make_unique<platform::TSingleInstanceLock>(std::move(*lock));
        FOwnEntity->MutexHandle = FLock->Handle();
        return;
    }
    if (const std::unique_ptr<TEntity> first = FindEntityByTitle(ApplicationTitle())) {
        TLernixMessageStream params(this);
        params.MsgKind = lmParams;
        WriteParamListText(params, FParams);
        Send(*first, params, nullptr);
    }
    throw TProgramHalt { 0 };
}

void TkdbCustomDemon::LoadTranslation()
{
    if (FUseVandrelServer) {
        const std::unique_ptr<TMemoryStream> dictionary
            = GetFileStream(DictionaryFileName(ResolveFileName(ApplicationFileName())));
        if (dictionary) {
            const std::vector<std::uint8_t>& bytes = dictionary->Bytes();
            std::string text(bytes.begin(), bytes.end());
            std::istringstream in(std::move(text));
            FTranslator->LoadFromStream(in);
        }
    } else {
        std::ifstream in(DictionaryFileName(ApplicationFileName()), std::ios::binary);
        if (in)
            FTranslator->LoadFromStream(in);
    }
    if (FAutoTranslate)
        FTranslator->TranslateComponent(parent());
}

bool TkdbCustomDemon::AutoCreateItlFile() const
{
    return FTranslator->AutoCreateItlFile();
}

void TkdbCustomDemon::SetAutoCreateItlFile(bool Value)
{
    FTranslator->SetAutoCreateItlFile(Value);
}

void TkdbCustomDemon::RegisterWindowClass()
{
    RegisterDemonWindowClass(GetWindowClassName());
}

void TkdbCustomDemon::MakeHiddenWindow()
{
    if (!FMessaging)
        return;
    RegisterWindowClass();
    try {
        FOwnEntity->Handle = FMessaging->CreateHiddenWindow(GetWindowClassName(), GetWindowName(),
            [this](const platform::TCopyDataFrame& Frame) { OnFrame(Frame); });
    } catch (const platform::EWindowMessaging& e) {
        qWarning("host link: no hidden window: %s", e.what());
        throw ELernix(CouldNotCreateWindow);
    }
    FOwnEntity->Title = ApplicationTitle();
    FOwnEntity->ExeName = ApplicationFileName();
}

void TkdbCustomDemon::TearDownHiddenWindow()
{
    if (FOwnEntity->Handle == 0)
        return;
    FMessaging->DestroyHiddenWindow(FOwnEntity->Handle);
    FOwnEntity->Handle = 0;
}

void TkdbCustomDemon::OnFrame(const platform::TCopyDataFrame& Frame)
{
    const TCopyDataStruct copyData { Frame.Kind, Frame.Data.size(), Frame.Data.data() };
    TWindowMessage message { MsgCopyData, Frame.Sender, &copyData, 0 };
    WndProc(message);
}

void TkdbCustomDemon::Send(const TEntity& Target, TLernixMessageStream& Msg, TLernixMessageStream* Reply)
{
    Msg.SetStamp(StampNow());
    Transmit(Target, Msg, Reply);
}

void TkdbCustomDemon::Transmit(const TEntity& Target, TLernixMessageStream& Msg, TLernixMessageStream* Reply)
{
    Msg.Demon = this;
    if (Reply)
        Reply->Demon = this;
    if (!FOwnEntity->IsAlive())
        return;
    const std::vector<std::uint8_t> data = EncodeFrameData(Msg);
    Msg.SetPosition(Msg.Size());
    if (Target.Handle > 0) {
        ++FSendDepth;
        FMessaging->SendCopyData(Target.Handle, FOwnEntity->Handle, Msg.MsgKind, data);
        if (--FSendDepth == 0 && FQuitDeferred)
            deleteLater();
    }
    const TLernixMessageStream* found = FindPendingReply(Msg.Stamp());
    if (!found)
        return;
    const auto at
        = std::find_if(FPending.begin(), FPending.end(), [found](const auto& p) { return p.get() == found; });
    const std::unique_ptr<TLernixMessageStream> reply = std::move(*at);
    FPending.erase(at);
    if (Reply)
        Reply->AssignMessage(*reply);
}

TLernixMessageStream* TkdbCustomDemon::FindPendingReply(TMessageStamp Stamp) const
{
    for (const auto& pending : FPending)
        if (pending->Stamp() == Stamp)
            return pending.get();
    return nullptr;
}

void TkdbCustomDemon::WndProc(TWindowMessage& Message)
{
    if (Message.Msg == MsgCopyData)
        WMCopyData(Message);
    Message.Result = 0;
}

void TkdbCustomDemon::WMCopyData(TWindowMessage& Message)
{
    const TCopyDataStruct& copyData = *Message.CopyData;
    std::unique_ptr<TLernixMessageStream> msg;
    try {
        msg = DecodeFrame(copyData.dwData, Message.WParam, copyData.lpData, copyData.cbData, this);
    } catch (const EBadFrame& e) {
        qWarning("host link: dropped a message of kind %d: %s", copyData.dwData, e.what());
        return;
    }
    HandleMessage(msg);
}

void TkdbCustomDemon::HandleMessage(std::unique_ptr<TLernixMessageStream>& Msg)
{
    switch (Msg->MsgKind) {
    case lmQuit: {
        FServerDown = ReadStreamBoolean(*Msg);
        bool allowQuit = true;
        if (FOnQuitMsgReceived)
            FOnQuitMsgReceived(this, FServerDown, allowQuit);
        if (allowQuit)
            ReleaseOnQuit();
        break;
    }
    case lmReply:
        if (FPending.size() >= MaxPendingReplies) {
            qWarning("host link: %zu unclaimed replies; dropping the oldest", FPending.size());
            FPending.pop_front();
        }
        FPending.push_back(std::move(Msg));
        break;
    case lmParams:
        FParams = ReadParamListText(*Msg);
        if (FOnParamsChange)
            FOnParamsChange(this);
        break;
    default:
        if (FOnGotAMessage)
            FOnGotAMessage(this, *Msg);
        break;
    }
}

bool TkdbCustomDemon::IsWindow(TWindowHandle Handle) const
{
    if (Handle <= 0)
        return false;
    // The own window lives until this component tears it down; every send asks.
    if (Handle == FOwnEntity->Handle)
        return true;
    return FMessaging && FMessaging->IsWindow(Handle);
}

void TkdbCustomDemon::ReleaseOnQuit()
{
    if (FSendDepth > 0)
        FQuitDeferred = true;
    else
        deleteLater();
}
