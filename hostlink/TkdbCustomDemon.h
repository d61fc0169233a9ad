#pragma once

#include "MessageStamp.h"
#include "TDemonLink.h"
#include "TEntity.h"
#include "TLernixMessageStream.h"

#include <QObject>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class TWindowMessaging;
struct TCopyDataFrame;
}

// WM_COPYDATA, the one window message the host link uses.
inline constexpr std::uint32_t WM_COPYDATA = 74;
// Unclaimed replies kept at most; beyond it the oldest is dropped, so a peer
// that floods replies cannot grow the list without bound.
inline constexpr std::size_t MaxPendingReplies = 256;

// The copy-data record of a WM_COPYDATA.
struct TCopyDataStruct {
    std::int32_t dwData = 0;
    std::size_t cbData = 0;
    const std::uint8_t* lpData = nullptr;
};

// One message to the hidden window's procedure.
struct TWindowMessage {
    std::uint32_t Msg = 0;
    std::int64_t WParam = 0;
    const TCopyDataStruct* CopyData = nullptr;
    std::int64_t Result = 0;
};

// The host-link component: one hidden window that receives WM_COPYDATA frames,
// the host's window found once at creation, sending with reply pick-up, and the
// dispatch of what arrives. Everything runs on the thread that owns Messaging.
//
// A derived class names the window (GetWindowClassName, GetWindowName) and
// calls MakeHiddenWindow at the end of its constructor, since those names are
// not yet available while this base is constructed.
class TkdbCustomDemon : public QObject, public TDemonLink {
    Q_OBJECT

public:
    using TGotAMessageEvent = std::function<void(TkdbCustomDemon* Sender, TLernixMessageStream& Msg)>;
    using TOnQuitMsgReceived = std::function<void(TkdbCustomDemon* Sender, bool ServerDown, bool& AllowQuit)>;
    using TNotifyEvent = std::function<void(TkdbCustomDemon* Sender)>;

    // Looks the host's window up once (FindServerWindow). Messaging must
    // outlive the component.
    explicit TkdbCustomDemon(platform::TWindowMessaging& Messaging, QObject* Owner = nullptr);
    // Releases the pending replies and tears the hidden window down.
    ~TkdbCustomDemon() override;

    virtual std::string GetWindowClassName() const = 0;
    virtual std::string GetWindowName() const = 0;

    // Stamps Msg from the local clock, then Transmit.
    void Send(const TEntity& Target, TLernixMessageStream& Msg, TLernixMessageStream* Reply) override;
    // Delivers Msg to Target's window and waits until Target has handled it;
    // then the reply with Msg's stamp, if one came, is copied into Reply (read
    // from position 0). Without an own window nothing is sent. A missing or dead
    // target delivers nothing and leaves Reply empty. Throws ELernix when Msg is
    // too large for a frame.
    void Transmit(const TEntity& Target, TLernixMessageStream& Msg, TLernixMessageStream* Reply);
    // The first unclaimed reply with this stamp, or none; removes nothing.
    TLernixMessageStream* FindPendingReply(TMessageStamp Stamp) const;
    // The hidden window's procedure: WM_COPYDATA goes to WMCopyData, Result 0.
    void WndProc(TWindowMessage& Message);
    // Turns a frame into a message and dispatches it. A frame that cannot be a
    // message (shorter than the stamp, a negative sender) is logged and dropped
    // before any byte is copied.
    void WMCopyData(TWindowMessage& Message);
    // Dispatches by kind: lmQuit, lmReply (kept in the pending list; Msg is
    // taken over and left empty), lmParams, anything else to OnGotAMessage.
    virtual void HandleMessage(std::unique_ptr<TLernixMessageStream>& Msg);

    // The host's directory; this base knows no participant.
    std::unique_ptr<TEntity> FindEntityByHandle(TWindowHandle Handle) override;
    bool IsWindow(TWindowHandle Handle) const override;

    void SetOnGotAMessage(TGotAMessageEvent Handler) { FOnGotAMessage = std::move(Handler); }
    void SetOnQuitMsgReceived(TOnQuitMsgReceived Handler) { FOnQuitMsgReceived = std::move(Handler); }
    void SetOnParamsChange(TNotifyEvent Handler) { FOnParamsChange = std::move(Handler); }

    const TEntity& ServerEntity() const { return *FServerEntity; }
    const TEntity& OwnEntity() const { return *FOwnEntity; }
    const std::vector<std::string>& Params() const { return FParams; }
    bool ServerDown() const { return FServerDown; }
    std::size_t PendingCount() const { return FPending.size(); }

protected:
    // Makes the hidden window with GetWindowClassName and GetWindowName and fills
    // the own entity's handle, title and program file name. Throws ELernix
    // "Could not create window handle" when the window system refuses.
    void MakeHiddenWindow();
    // Checks that the window class can be used; throws ELernix otherwise.
    void RegisterWindowClass();
    // Ends the component after an allowed quit request. It runs inside the
    // component's own message handling, so it must not free the component at
    // once; this base schedules deletion for the event loop.
    virtual void ReleaseOnQuit();

    std::unique_ptr<TEntity> FServerEntity;
    std::unique_ptr<TEntity> FOwnEntity;
    std::deque<std::unique_ptr<TLernixMessageStream>> FPending;
    std::vector<std::string> FParams;
    bool FServerDown = false;

private:
    void TearDownHiddenWindow();
    void OnFrame(const platform::TCopyDataFrame& Frame);

    platform::TWindowMessaging& FMessaging;
    TGotAMessageEvent FOnGotAMessage;
    TOnQuitMsgReceived FOnQuitMsgReceived;
    TNotifyEvent FOnParamsChange;
};
