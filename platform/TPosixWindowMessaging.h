#pragma once

#include "CopyDataWire.h"
#include "TFrameDecoder.h"
#include "TUniqueFd.h"
#include "TWindowMessaging.h"
#include "TWindowTable.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <sys/types.h>
#include <vector>

struct pollfd;

class QSocketNotifier;

namespace platform {

// Windows as listening sockets (WindowTable), frames on connections that are kept
// for the next frame to the same window (CopyDataWire). All sockets are
// non-blocking. Outside a send, notifiers serve the sockets from the Qt event loop
// and a timer drops frames that stall; during a send, one poll loop (Pump) moves
// every connection forward, the outgoing frames of the sends it is nested in
// among them, so a handler may send again at any depth without stalling a frame
// that an enclosing send has begun.
class TPosixWindowMessaging final : public TWindowMessaging {
public:
    explicit TPosixWindowMessaging(const TPosixMessagingOptions& Options);
    ~TPosixWindowMessaging() override;

    TWindowHandle CreateHiddenWindow(
        const std::string& ClassName, const std::string& WindowName, TFrameHandler Handler) override;
    void DestroyHiddenWindow(TWindowHandle Window) override;
    TWindowHandle FindWindow(const std::string& ClassName, const std::string& WindowName) override;
    bool IsWindow(TWindowHandle Window) override;
    std::optional<TWindowNames> GetWindowNames(TWindowHandle Window) override;
    bool SendCopyData(TWindowHandle Target, std::int32_t Sender, std::int32_t Kind,
        std::span<const std::uint8_t> Data) override;
    void ServeUntilReadable(int Fd) override;
    void SetHandlerErrorSink(THandlerErrorSink Sink) override;

private:
    using TClock = std::chrono::steady_clock;

    // Disables a notifier and deletes it later: it may be the one whose signal runs now.
    struct TRetireNotifier {
        void operator()(QSocketNotifier* Notifier) const;
    };
    using TNotifier = std::unique_ptr<QSocketNotifier, TRetireNotifier>;

    struct TWindow {
        TWindowClaim Claim;
        TUniqueFd Listener;
        TNotifier Notifier;
        TFrameHandler Handler;
    };
    // A connection that brings frames, one after another, to one of the own windows.
    struct TIncoming {
        TUniqueFd Socket;
        TWindowHandle Window = 0;
        // The connecting process, which the slots are shared out by.
        pid_t Peer = 0;
        TFrameDecoder Decoder;
        // By when the frame under way must be whole, counted from its first byte, so
        // that a trickle of bytes cannot hold the connection; an idle connection
        // may wait forever.
        TClock::time_point Deadline {};
        // Its frame is being handled; only Deliver may end it.
        bool Busy = false;
        // While Busy: the window that sent the frame, and by when it must have its
        // acknowledgement before it may count this side as silent.
        TWindowHandle Sender = 0;
        TClock::time_point AnswerBy {};
        TNotifier Notifier;
    };
    // The connection of one blocking send.
    struct TOutgoing {
        TUniqueFd Socket;
        TWindowHandle Target = 0;
        TFrameHeader Header {};
        std::span<const std::uint8_t> Data;
        // Of header and data together.
        std::size_t Written = 0;
        // Moved on by every progress; the send ends when it passes.
        TClock::time_point Deadline {};
        // The send ends by then whatever happens.
        TClock::time_point Limit {};
        // How many frames were being handled when it began: their senders wait
        // for this send to end.
        std::size_t Beneath = 0;
        bool Finished = false;
        bool Delivered = false;
        // The peer closed the connection (as opposed to staying silent).
        bool Broken = false;
    };

    // What one entry of a waiting send's poll set stands for.
    enum class TPollSource { Outgoing, Listener, Incoming };
    struct TWatched {
        TPollSource Source;
        // The window of a listener, the connection id of an incoming connection,
        // the place of a send in FSending.
        std::uint64_t Id = 0;
    };

    TClock::time_point NewDeadline() const { return TClock::now() + FOptions.SilenceTimeout; }
    // A sender gives up after the same silence; a tenth of it covers the way back.
    TClock::time_point NewAnswerBy() const
    {
        return TClock::now() + FOptions.SilenceTimeout - FOptions.SilenceTimeout / 10;
    }
    TNotifier WatchReadable(int Socket, std::function<void()> Serve);
    void CloseWindow(TWindow& Window);
    void CallHandler(const TFrameHandler& Handler, const TCopyDataFrame& Frame);
    // The frame on the connection kept from an earlier frame to Target: nothing
    // when none is kept or the peer had closed it before answering (then nothing
    // was handled and the frame may go again), else whether it was delivered.
    std::optional<bool> SendOnKeptConnection(
        TWindowHandle Target, const TFrameHeader& Header, std::span<const std::uint8_t> Data);
    bool SendOnNewConnection(
        TWindowHandle Target, const TFrameHeader& Header, std::span<const std::uint8_t> Data);
    // A window whose socket refuses connections may have died: asking whether it
    // lives removes a dead one's files.
    void RemoveIfDead(TWindowHandle Target);
    // Sends Out's bytes and waits for the acknowledgement; a delivered connection
    // is kept for the next frame to Target.
    bool Transfer(TWindowHandle Target, TOutgoing& Out);
    // Until Out is finished, moving every unfinished send of FSending.
    void Pump(TOutgoing& Out);
    // When Out gives up: silence, its limit, or the moment a sender of a frame
    // handled beneath it would stop waiting for its acknowledgement.
    TClock::time_point GiveUpTime(const TOutgoing& Out) const;
    // The sockets a waiting send serves: the connections of all unfinished sends,
    // the own windows' listeners and the incoming connections that are not being
    // handled.
    void CollectPollSet(std::vector<pollfd>& Fds, std::vector<TWatched>& Watched) const;
    // The earliest deadline of a frame under way; time_point::max() when none is.
    TClock::time_point EarliestFrameDeadline() const;
    // Advances the ready sends and, unless Own has finished, accepts and reads what
    // arrived; Own is the send that waits here, none when nothing is sent.
    void ServeReady(
        const TOutgoing* Own, const std::vector<pollfd>& Fds, const std::vector<TWatched>& Watched);
    void Advance(TOutgoing& Out);
    // Progress towards Window: the senders of frames handled here that wait for it
    // see it too.
    void NoteProgressTowards(TWindowHandle Window);
    void AcceptWaiting(TWindowHandle Window);
    // Makes room for a connection of Peer: a process holds at most a share of the
    // slots, and all of them are never full. Closes an idle connection (of Peer
    // when it holds its share), else the one whose unfinished frame started
    // first. False when every candidate is being handled.
    bool MakeRoomForConnection(pid_t Peer);
    void ServeIncoming(std::uint64_t Id);
    // Hands the frame to its window and acknowledges it, when its sender still
    // waits for it; false when the connection ended.
    bool Deliver(std::uint64_t Id);
    // Closes the connections whose frame is not whole by its deadline, after
    // reading what has arrived on them.
    void DropExpired();
    // Sets FExpiry to the earliest deadline of a frame under way.
    void ArmExpiry();

    TPosixMessagingOptions FOptions;
    TWindowTable FTable;
    // Parent of the notifiers, and the context of queued calls; outlives the windows.
    QObject FContext;
    QTimer FExpiry;
    std::map<TWindowHandle, TWindow> FWindows;
    std::map<std::uint64_t, TIncoming> FIncoming;
    std::map<TWindowHandle, TUniqueFd> FIdleOutgoing;
    std::uint64_t FLastIncomingId = 0;
    // Counts frames handled and bytes that arrived: the peers at work.
    std::uint64_t FProgressCount = 0;
    // The sends under way, outermost first; each lives in its Transfer.
    std::vector<TOutgoing*> FSending;
    // The incoming connections whose frames are being handled, outermost first.
    std::vector<std::uint64_t> FHandling;
    // The limit of the send under way, which binds the sends nested in it.
    TClock::time_point FSendLimit = TClock::time_point::max();
    THandlerErrorSink FErrorSink;
};

} // namespace platform
