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

class TTolkar2000Walk;

namespace platform {
class TWindowMessaging;
class TSingleInstanceLock;
struct TCopyDataFrame;
}

// The one window message the host link uses (WM_COPYDATA on Windows).
inline constexpr std::uint32_t MsgCopyData = 74;
// The copy-data record of a MsgCopyData.
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

// The host-link component of a program window: it owns the translation engine, keeps the
// program's parameter list, links the program to the host application through one hidden
// window, keeps the program to one running copy and ends the application when it is
// destroyed. Everything runs on the thread that owns the window messaging.
//
// Life cycle, as a window that owns the component drives it:
//   1. construct it with the window as Owner (the derived class makes the hidden window);
//   2. set AutoTranslate, AutoCreateItlFile, MultiStart and UseVandrelServer;
//   3. call Loaded() once the window's own controls exist. It may throw ELernix (a start-up
//      error to show before ending with a non-zero status) or TProgramHalt (a second copy:
//      end with its exit code, nothing shown).
// Destroying it (with its owner, or itself after the host's allowed quit request) asks the
// application to quit.
//
// The requests to the host are abstract; TkdbDemonClient implements them.
class TkdbCustomDemon : public QObject, public TDemonLink {
    Q_OBJECT

public:
    using TGotAMessageEvent = std::function<void(TkdbCustomDemon* Sender, TLernixMessageStream& Msg)>;
    using TOnQuitMsgReceived = std::function<void(TkdbCustomDemon* Sender, bool ServerDown, bool& AllowQuit)>;
    using TNotifyEvent = std::function<void(TkdbCustomDemon* Sender)>;

    // Creates the translation engine, looks the host's window up once (FindServerWindow)
    // and reads the parameter list. Messaging, when given, must outlive the component and
    // is shared with the program's other components; without it the component makes its
    // own. When the runtime folder is unusable, the component has no link (LinkProblem)
    // and Loaded decides what that means.
    explicit TkdbCustomDemon(QObject* Owner = nullptr, platform::TWindowMessaging* Messaging = nullptr);
    // Releases the pending replies, tears the hidden window down, gives up the single-copy
    // lock and the translation engine, then asks the application to quit.
    ~TkdbCustomDemon() override;

    // CheckLink, then CheckMultiStart.
    virtual void Loaded();

    // The number of parameters after the program file name.
    int ParamCount() const;
    // Index 0 is the program file name, even after another copy replaced the list; 1 to
    // ParamCount the parameters. Throws ELernix "Illegal "ParamStr" parameter: <Index>"
    // for any other index.
    std::string ParamStr(int Index) const;
    // Refills the list from the command line, leaving out every parameter that starts
    // with "/serverhandle=" (exactly in this case).
    void ReadParams();
    // With MultiStart off: takes the single-copy lock named after the program file and makes
    // a second hidden window named like the lock, by which a later copy finds this one without
    // a host. When another copy holds the lock, passes the parameter list to that copy (found
    // through the host by the application title, else by that window) and throws TProgramHalt
    // with exit code 0.
    void CheckMultiStart();
    // Loads the dictionary: in host mode the host's; standalone, or when the host has none
    // that can serve, the first usable of StandaloneDictionaryFiles (the file beside the
    // program, then the installed dictionary of the user's locale, then English). Each file
    // that exists but cannot serve, and finding none at all, is said on standard error. Then,
    // with AutoTranslate, translates the owner and every object it owns.
    void LoadTranslation();

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
    // The hidden window's procedure: MsgCopyData goes to WMCopyData, Result 0.
    void WndProc(TWindowMessage& Message);
    // Turns a frame into a message and dispatches it. A frame that cannot be a
    // message (shorter than the stamp, a negative sender) is logged and dropped
    // before any byte is copied.
    void WMCopyData(TWindowMessage& Message);
    // Dispatches by kind: lmQuit (ask OnQuitMsgReceived, then end the component), lmReply
    // (kept in the pending list, Msg taken over and left empty, only while a request with
    // its stamp waits and has no reply yet; any other reply is dropped, so the list holds
    // at most one frame per waiting request), lmParams (new list, then OnParamsChange),
    // anything else to OnGotAMessage.
    virtual void HandleMessage(std::unique_ptr<TLernixMessageStream>& Msg);

    virtual std::string GetWindowClassName() const = 0;
    virtual std::string GetWindowName() const = 0;
    // The requests to the host; the caller owns what they return.
    virtual std::unique_ptr<TEntity> FindEntityByTitle(const std::string& Title) = 0;
    virtual std::int32_t ExecuteProgram(
        const std::string& Program, const std::string& Parameters, bool Wait, std::int32_t Option)
        = 0;
    virtual std::unique_ptr<TMemoryStream> GetFileStream(const std::string& Name) = 0;
    virtual std::string ResolveFileName(const std::string& Name) = 0;
    virtual std::string QueryHostString(const std::string& Text) = 0;
    virtual std::string GetHostValue(const std::string& Key) = 0;

    bool IsWindow(TWindowHandle Handle) const override;

    void SetOnGotAMessage(TGotAMessageEvent Handler) { FOnGotAMessage = std::move(Handler); }
    void SetOnQuitMsgReceived(TOnQuitMsgReceived Handler) { FOnQuitMsgReceived = std::move(Handler); }
    void SetOnParamsChange(TNotifyEvent Handler) { FOnParamsChange = std::move(Handler); }

    bool AutoTranslate() const { return FAutoTranslate; }
    void SetAutoTranslate(bool Value) { FAutoTranslate = Value; }
    // The translation engine's learning switch.
    bool AutoCreateItlFile() const;
    void SetAutoCreateItlFile(bool Value);
    bool MultiStart() const { return FMultiStart; }
    void SetMultiStart(bool Value) { FMultiStart = Value; }
    // True: host mode (dictionary and values from the host); false: standalone.
    bool UseVandrelServer() const { return FUseVandrelServer; }
    void SetUseVandrelServer(bool Value) { FUseVandrelServer = Value; }

    // The translation engine; it lives as long as the component.
    TTolkar2000Walk* Translator() const { return FTranslator.get(); }
    const TEntity& ServerEntity() const { return *FServerEntity; }
    const TEntity& OwnEntity() const { return *FOwnEntity; }
    const std::vector<std::string>& Params() const { return FParams; }
    bool ServerDown() const { return FServerDown; }
    std::size_t PendingCount() const { return FPending.size(); }
    // Why the component has no hidden window and no single-copy lock (the runtime folder
    // is unusable), or empty when it has them.
    const std::string& LinkProblem() const { return FLinkProblem; }

protected:
    // Makes the hidden window with GetWindowClassName and GetWindowName and fills
    // the own entity's handle, title and program file name. Without a link it does
    // nothing; when the window system refuses, the component has no link from then on.
    // Called at the end of the derived constructor, since the names are not yet
    // available while this base is constructed.
    void MakeHiddenWindow();
    // Without a link (LinkProblem): in host mode throws ELernix "Could not create window
    // handle: " and the reason; in standalone mode says on stderr that the program runs
    // without host link and single-copy check.
    void CheckLink() const;
    // Checks that the window class can be used; throws ELernix otherwise.
    void RegisterWindowClass();
    // Blocks until Fd is readable, answering the frames that reach the hidden window
    // meanwhile; an allowed quit waits for it as for a send.
    void ServeUntilReadable(int Fd);
    // Ends the component after an allowed quit request. It runs inside the component's own
    // message handling, so the component is deleted from the event loop; while one of its
    // sends is under way, not before that send has returned.
    virtual void ReleaseOnQuit();

    std::unique_ptr<TEntity> FServerEntity;
    std::unique_ptr<TEntity> FOwnEntity;
    std::deque<std::unique_ptr<TLernixMessageStream>> FPending;
    // The stamps of the requests whose sends are under way and want a reply.
    std::vector<TMessageStamp> FAwaited;
    std::vector<std::string> FParams;
    bool FServerDown = false;

private:
    void TearDownHiddenWindow();
    void MakeFirstCopyWindow();
    // The running first copy's window: the host's record of it, else its window named like
    // the lock; 0 when neither answers.
    TWindowHandle FindFirstCopy();
    void OnFrame(const platform::TCopyDataFrame& Frame);
    // Records why there is no link; the component then works without one.
    void LoseLink(const std::string& Why);

    std::unique_ptr<platform::TWindowMessaging> FOwnMessaging;
    platform::TWindowMessaging* FMessaging = nullptr;
    std::unique_ptr<platform::TSingleInstanceLock> FLock;
    TWindowHandle FFirstCopyWindow = 0;
    std::unique_ptr<TTolkar2000Walk> FTranslator;
    std::string FLinkProblem;
    TGotAMessageEvent FOnGotAMessage;
    TOnQuitMsgReceived FOnQuitMsgReceived;
    TNotifyEvent FOnParamsChange;
    bool FAutoTranslate = true;
    bool FMultiStart = false;
    bool FUseVandrelServer = true;
    // Sends under way; an allowed quit waits for the outermost to return.
    int FSendDepth = 0;
    bool FQuitDeferred = false;
};
