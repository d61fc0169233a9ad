#include "TPosixWindowMessaging.h"

#include "RuntimeFolder.h"
#include "UnixSocket.h"

#include <QSocketNotifier>
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <utility>
#include <vector>

namespace platform {

namespace {

constexpr std::size_t ReadChunkSize = 64 * 1024;
// Connections kept open to windows of other processes, for their next frame.
constexpr std::size_t MaxIdleOutgoing = 16;
// Connections from other processes, idle ones included.
constexpr std::size_t MaxIncoming = 64;
// The most one process may hold of them, so that a peer that never lets its frames
// finish cannot lock the others out.
constexpr std::size_t MaxIncomingPerPeer = MaxIncoming / 8;

bool WouldBlock()
{
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}

// Waits until a socket of Fds is ready or Until has come; false when poll fails.
bool PollUntil(std::vector<pollfd>& Fds, std::chrono::steady_clock::time_point Until)
{
    const auto Wait = std::chrono::ceil<std::chrono::milliseconds>(Until - std::chrono::steady_clock::now());
    const int Timeout
        = static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(Wait.count(), 0, INT_MAX));
    return ::poll(Fds.data(), Fds.size(), Timeout) >= 0 || errno == EINTR;
}

// Sets a variable for a scope and gives it its old value back when the scope ends.
template <typename TValue> class TRestoreOnExit {
public:
    TRestoreOnExit(TValue& Variable, TValue Value)
        : FVariable(Variable)
        , FOld(std::exchange(Variable, Value))
    {
    }
    ~TRestoreOnExit() { FVariable = FOld; }
    TRestoreOnExit(const TRestoreOnExit&) = delete;
    TRestoreOnExit& operator=(const TRestoreOnExit&) = delete;

private:
    TValue& FVariable;
    TValue FOld;
};

// Puts a value on a stack for a scope.
template <typename TValue> class TStackEntry {
public:
    TStackEntry(std::vector<TValue>& Stack, TValue Value)
        : FStack(Stack)
    {
        FStack.push_back(Value);
    }
    ~TStackEntry() { FStack.pop_back(); }
    TStackEntry(const TStackEntry&) = delete;
    TStackEntry& operator=(const TStackEntry&) = delete;

private:
    std::vector<TValue>& FStack;
};

// A sender that stops waiting closes its connection, which the receiver sees as a
// hang-up. Half-closing (shutdown of the writing side) is not giving up.
bool PeerHungUp(int Socket)
{
    pollfd Probe { Socket, 0, 0 };
    return ::poll(&Probe, 1, 0) > 0 && (Probe.revents & (POLLHUP | POLLERR)) != 0;
}

void LogHandlerError(std::exception_ptr Error)
{
    try {
        std::rethrow_exception(Error);
    } catch (const std::exception& Failure) {
        qWarning("A window message handler failed: %s", Failure.what());
    } catch (...) {
        qWarning("A window message handler failed");
    }
}

} // namespace

std::unique_ptr<TWindowMessaging> CreatePosixWindowMessaging(const TPosixMessagingOptions& Options)
{
    return std::make_unique<TPosixWindowMessaging>(Options);
}

TPosixWindowMessaging::TPosixWindowMessaging(const TPosixMessagingOptions& Options)
    : FOptions(Options)
    , FTable(PrepareRuntimeFolder())
    , FErrorSink(LogHandlerError)
{
    FExpiry.setSingleShot(true);
    QObject::connect(&FExpiry, &QTimer::timeout, &FContext, [this] {
        DropExpired();
        ArmExpiry();
    });
}

TPosixWindowMessaging::~TPosixWindowMessaging()
{
    for (auto& [Handle, Window] : FWindows)
        CloseWindow(Window);
}

void TPosixWindowMessaging::TRetireNotifier::operator()(QSocketNotifier* Notifier) const
{
    Notifier->setEnabled(false);
    Notifier->deleteLater();
}

TPosixWindowMessaging::TNotifier TPosixWindowMessaging::WatchReadable(int Socket, std::function<void()> Serve)
{
    TNotifier Notifier(new QSocketNotifier(Socket, QSocketNotifier::Read, &FContext));
    QObject::connect(
        Notifier.get(), &QSocketNotifier::activated, &FContext, [this, Serve = std::move(Serve)] {
            Serve();
            ArmExpiry();
        });
    return Notifier;
}

TWindowHandle TPosixWindowMessaging::CreateHiddenWindow(
    const std::string& ClassName, const std::string& WindowName, TFrameHandler Handler)
{
    TWindow Window { FTable.Claim(), {}, nullptr, std::move(Handler) };
    const TWindowHandle Handle = Window.Claim.Handle;
    try {
        Window.Listener = ListenAt(FTable.SocketPath(Handle));
        FTable.Publish(Handle, { ClassName, WindowName });
    } catch (...) {
        FTable.Remove(Window.Claim);
        throw;
    }
    Window.Notifier = WatchReadable(Window.Listener.Get(), [this, Handle] { AcceptWaiting(Handle); });
    FWindows.emplace(Handle, std::move(Window));
    return Handle;
}

void TPosixWindowMessaging::CloseWindow(TWindow& Window)
{
    Window.Notifier.reset();
    FTable.Remove(Window.Claim);
    Window.Listener.Reset();
}

void TPosixWindowMessaging::DestroyHiddenWindow(TWindowHandle Handle)
{
    const auto Found = FWindows.find(Handle);
    if (Found == FWindows.end())
        return;
    CloseWindow(Found->second);
    FWindows.erase(Found);
    std::erase_if(FIncoming,
        [Handle](const auto& Entry) { return Entry.second.Window == Handle && !Entry.second.Busy; });
}

TWindowHandle TPosixWindowMessaging::FindWindow(const std::string& ClassName, const std::string& WindowName)
{
    return FTable.Find({ ClassName, WindowName });
}

bool TPosixWindowMessaging::IsWindow(TWindowHandle Window)
{
    return FTable.IsLive(Window);
}

std::optional<TWindowNames> TPosixWindowMessaging::GetWindowNames(TWindowHandle Window)
{
    return FTable.NamesOf(Window);
}

void TPosixWindowMessaging::SetHandlerErrorSink(THandlerErrorSink Sink)
{
    FErrorSink = std::move(Sink);
}

void TPosixWindowMessaging::CallHandler(const TFrameHandler& Handler, const TCopyDataFrame& Frame)
{
    ++FProgressCount;
    try {
        Handler(Frame);
    } catch (...) {
        FErrorSink(std::current_exception());
    }
}

bool TPosixWindowMessaging::SendCopyData(
    TWindowHandle Target, std::int32_t Sender, std::int32_t Kind, std::span<const std::uint8_t> Data)
{
    const TFrameHeader Header = EncodeFrameHeader(Kind, Sender, Data.size());
    // Like SendMessage within one thread: the window procedure is called directly.
    if (const auto Own = FWindows.find(Target); Own != FWindows.end()) {
        const TFrameHandler Handler = Own->second.Handler;
        CallHandler(Handler, { Kind, { Data.begin(), Data.end() }, Sender });
        return true;
    }
    if (Target <= 0)
        return false;
    if (const auto Delivered = SendOnKeptConnection(Target, Header, Data))
        return *Delivered;
    return SendOnNewConnection(Target, Header, Data);
}

std::optional<bool> TPosixWindowMessaging::SendOnKeptConnection(
    TWindowHandle Target, const TFrameHeader& Header, std::span<const std::uint8_t> Data)
{
    auto Kept = FIdleOutgoing.extract(Target);
    if (!Kept)
        return std::nullopt;
    TOutgoing Out { .Socket = std::move(Kept.mapped()), .Header = Header, .Data = Data };
    if (Transfer(Target, Out))
        return true;
    if (Out.Broken)
        return std::nullopt;
    return false;
}

bool TPosixWindowMessaging::SendOnNewConnection(
    TWindowHandle Target, const TFrameHeader& Header, std::span<const std::uint8_t> Data)
{
    TOutgoing Out { .Socket = ConnectTo(FTable.SocketPath(Target), FOptions.SilenceTimeout),
        .Header = Header,
        .Data = Data };
    if (!Out.Socket.Valid()) {
        RemoveIfDead(Target);
        return false;
    }
    return PeerRunsAs(Out.Socket.Get(), ::geteuid()) && Transfer(Target, Out);
}

void TPosixWindowMessaging::RemoveIfDead(TWindowHandle Target)
{
    FTable.IsLive(Target);
}

bool TPosixWindowMessaging::Transfer(TWindowHandle Target, TOutgoing& Out)
{
    Out.Target = Target;
    Out.Deadline = NewDeadline();
    Out.Limit = std::min(FSendLimit, TClock::now() + FOptions.SendTimeout);
    Out.Beneath = FHandling.size();
    const TRestoreOnExit KeepEnclosingLimit(FSendLimit, Out.Limit);
    const TStackEntry<TOutgoing*> Sending(FSending, &Out);
    // A connection almost always has room for a frame: write before asking poll.
    Advance(Out);
    Pump(Out);
    ArmExpiry();
    if (!Out.Delivered)
        return false;
    if (FIdleOutgoing.size() >= MaxIdleOutgoing)
        FIdleOutgoing.erase(FIdleOutgoing.begin());
    FIdleOutgoing.try_emplace(Target, std::move(Out.Socket));
    return true;
}

void TPosixWindowMessaging::Pump(TOutgoing& Out)
{
    std::vector<pollfd> Fds;
    std::vector<TWatched> Watched;
    while (!Out.Finished) {
        CollectPollSet(Fds, Watched);
        auto Until = EarliestFrameDeadline();
        for (const TOutgoing* Send : FSending)
            if (!Send->Finished)
                Until = std::min(Until, GiveUpTime(*Send));
        if (!PollUntil(Fds, Until)) {
            Out.Finished = true;
            return;
        }
        const std::uint64_t ProgressBefore = FProgressCount;
        ServeReady(&Out, Fds, Watched);
        const auto Now = TClock::now();
        for (TOutgoing* Send : FSending) {
            if (Send->Finished)
                continue;
            // Frames handled or bytes arriving for us while we wait are the peers at
            // work, not silence.
            if (FProgressCount != ProgressBefore)
                Send->Deadline = NewDeadline();
            if (Now >= GiveUpTime(*Send))
                Send->Finished = true;
        }
        DropExpired();
    }
}

void TPosixWindowMessaging::ServeUntilReadable(int Fd)
{
    std::vector<pollfd> Fds;
    std::vector<TWatched> Watched;
    for (;;) {
        CollectPollSet(Fds, Watched);
        Fds.push_back({ Fd, POLLIN, 0 });
        if (!PollUntil(Fds, EarliestFrameDeadline()) || Fds.back().revents != 0)
            break;
        Fds.pop_back();
        ServeReady(nullptr, Fds, Watched);
        DropExpired();
    }
    ArmExpiry();
}

TPosixWindowMessaging::TClock::time_point TPosixWindowMessaging::GiveUpTime(const TOutgoing& Out) const
{
    auto Time = std::min(Out.Deadline, Out.Limit);
    // A frame handled beneath this send is acknowledged only after it ends: a silent
    // target must not cost that frame's sender its answer.
    for (std::size_t I = 0; I < Out.Beneath && I < FHandling.size(); ++I)
        if (const auto Found = FIncoming.find(FHandling[I]); Found != FIncoming.end())
            Time = std::min(Time, Found->second.AnswerBy);
    return Time;
}

void TPosixWindowMessaging::CollectPollSet(std::vector<pollfd>& Fds, std::vector<TWatched>& Watched) const
{
    Fds.clear();
    Watched.clear();
    for (std::size_t I = 0; I < FSending.size(); ++I) {
        const TOutgoing& Send = *FSending[I];
        if (Send.Finished)
            continue;
        const bool Writing = Send.Written < Send.Header.size() + Send.Data.size();
        Fds.push_back({ Send.Socket.Get(), static_cast<short>(Writing ? POLLOUT : POLLIN), 0 });
        Watched.push_back({ TPollSource::Outgoing, I });
    }
    for (const auto& [Handle, Window] : FWindows) {
        Fds.push_back({ Window.Listener.Get(), POLLIN, 0 });
        Watched.push_back({ TPollSource::Listener, static_cast<std::uint64_t>(Handle) });
    }
    for (const auto& [Id, Incoming] : FIncoming) {
        if (Incoming.Busy)
            continue;
        Fds.push_back({ Incoming.Socket.Get(), POLLIN, 0 });
        Watched.push_back({ TPollSource::Incoming, Id });
    }
}

TPosixWindowMessaging::TClock::time_point TPosixWindowMessaging::EarliestFrameDeadline() const
{
    auto Earliest = TClock::time_point::max();
    for (const auto& [Id, Incoming] : FIncoming)
        if (!Incoming.Busy && Incoming.Decoder.Started())
            Earliest = std::min(Earliest, Incoming.Deadline);
    return Earliest;
}

void TPosixWindowMessaging::ServeReady(
    const TOutgoing* Own, const std::vector<pollfd>& Fds, const std::vector<TWatched>& Watched)
{
    for (std::size_t I = 0; I < Fds.size(); ++I) {
        if (Fds[I].revents == 0)
            continue;
        // Handling a frame may have started and ended sends meanwhile; the sends
        // collected stay in their places, since sends end in the reverse order.
        if (Watched[I].Source == TPollSource::Outgoing) {
            if (Watched[I].Id < FSending.size() && !FSending[Watched[I].Id]->Finished)
                Advance(*FSending[Watched[I].Id]);
            continue;
        }
        // Once this send has ended, its sender beneath waits for nothing new.
        if (Own && Own->Finished)
            continue;
        if (Watched[I].Source == TPollSource::Listener)
            AcceptWaiting(static_cast<TWindowHandle>(Watched[I].Id));
        else
            ServeIncoming(Watched[I].Id);
    }
}

void TPosixWindowMessaging::Advance(TOutgoing& Out)
{
    if (Out.Written < Out.Header.size() + Out.Data.size()) {
        const std::size_t InHeader = std::min(Out.Written, Out.Header.size());
        const std::size_t InData = Out.Written - InHeader;
        iovec Parts[2] = { { Out.Header.data() + InHeader, Out.Header.size() - InHeader },
            { const_cast<std::uint8_t*>(Out.Data.data()) + InData, Out.Data.size() - InData } };
        msghdr Message {};
        Message.msg_iov = Parts;
        Message.msg_iovlen = 2;
        const ssize_t Sent = ::sendmsg(Out.Socket.Get(), &Message, MSG_NOSIGNAL);
        if (Sent > 0) {
            Out.Written += static_cast<std::size_t>(Sent);
            Out.Deadline = NewDeadline();
            NoteProgressTowards(Out.Target);
        } else if (!WouldBlock()) {
            Out.Finished = Out.Broken = true;
        }
        return;
    }
    std::uint8_t Answer = 0;
    const ssize_t Received = ::recv(Out.Socket.Get(), &Answer, 1, 0);
    if (Received == 1) {
        Out.Delivered = Answer == FrameAck;
        Out.Finished = true;
        NoteProgressTowards(Out.Target);
    } else if (Received == 0 || !WouldBlock()) {
        Out.Finished = Out.Broken = true;
    }
}

void TPosixWindowMessaging::NoteProgressTowards(TWindowHandle Window)
{
    for (const std::uint64_t Id : FHandling)
        if (const auto Found = FIncoming.find(Id); Found != FIncoming.end() && Found->second.Sender == Window)
            Found->second.AnswerBy = NewAnswerBy();
}

bool TPosixWindowMessaging::MakeRoomForConnection(pid_t Peer)
{
    const auto Held = static_cast<std::size_t>(std::count_if(
        FIncoming.begin(), FIncoming.end(), [Peer](const auto& Entry) { return Entry.second.Peer == Peer; }));
    const bool AtShare = Held >= MaxIncomingPerPeer;
    if (!AtShare && FIncoming.size() < MaxIncoming)
        return true;
    auto Victim = FIncoming.end();
    for (auto Entry = FIncoming.begin(); Entry != FIncoming.end(); ++Entry) {
        const TIncoming& Incoming = Entry->second;
        if (Incoming.Busy || (AtShare && Incoming.Peer != Peer))
            continue;
        if (!Incoming.Decoder.Started()) {
            Victim = Entry;
            break;
        }
        if (Victim == FIncoming.end() || Incoming.Deadline < Victim->second.Deadline)
            Victim = Entry;
    }
    if (Victim == FIncoming.end())
        return false;
    FIncoming.erase(Victim);
    return true;
}

void TPosixWindowMessaging::AcceptWaiting(TWindowHandle Handle)
{
    const auto Found = FWindows.find(Handle);
    if (Found == FWindows.end())
        return;
    for (;;) {
        TUniqueFd Socket = AcceptFrom(Found->second.Listener.Get());
        if (!Socket.Valid()) {
            if (errno == ECONNABORTED || errno == EINTR)
                continue;
            return;
        }
        if (!PeerRunsAs(Socket.Get(), ::geteuid()))
            continue;
        const pid_t Peer = PeerProcess(Socket.Get());
        if (!MakeRoomForConnection(Peer))
            continue;
        const std::uint64_t Id = ++FLastIncomingId;
        TIncoming& Incoming = FIncoming[Id];
        Incoming.Socket = std::move(Socket);
        Incoming.Window = Handle;
        Incoming.Peer = Peer;
        Incoming.Notifier = WatchReadable(Incoming.Socket.Get(), [this, Id] { ServeIncoming(Id); });
    }
}

void TPosixWindowMessaging::ServeIncoming(std::uint64_t Id)
{
    const auto Found = FIncoming.find(Id);
    if (Found == FIncoming.end())
        return;
    TIncoming& Incoming = Found->second;
    // Only a nested event loop gets here while the frame is handled. Silence the
    // notifier until Deliver is done; switching it off for every frame would cost
    // the glib dispatcher a wake-up each time.
    if (Incoming.Busy) {
        Incoming.Notifier->setEnabled(false);
        return;
    }
    std::array<std::uint8_t, ReadChunkSize> Buffer;
    for (;;) {
        const ssize_t Received = ::recv(Incoming.Socket.Get(), Buffer.data(), Buffer.size(), 0);
        if (Received < 0 && WouldBlock())
            return;
        if (Received <= 0) {
            FIncoming.erase(Found);
            return;
        }
        ++FProgressCount;
        std::span<const std::uint8_t> Rest(Buffer.data(), static_cast<std::size_t>(Received));
        while (!Rest.empty()) {
            if (!Incoming.Decoder.Started())
                Incoming.Deadline = NewDeadline();
            Rest = Rest.subspan(Incoming.Decoder.Feed(Rest));
            const TDecodeState State = Incoming.Decoder.State();
            if (State == TDecodeState::Complete && !Deliver(Id))
                return;
            if (State != TDecodeState::Complete && State != TDecodeState::NeedMore) {
                FIncoming.erase(Found);
                return;
            }
        }
        // A short read emptied the socket; poll tells when more arrives.
        if (static_cast<std::size_t>(Received) < Buffer.size())
            return;
    }
}

bool TPosixWindowMessaging::Deliver(std::uint64_t Id)
{
    TIncoming& Incoming = FIncoming.at(Id);
    // Nobody is told about a frame handled after its sender gave up.
    if (PeerHungUp(Incoming.Socket.Get())) {
        FIncoming.erase(Id);
        return false;
    }
    const TCopyDataFrame Frame = Incoming.Decoder.TakeFrame();
    Incoming.Busy = true;
    Incoming.Sender = Frame.Sender;
    Incoming.AnswerBy = NewAnswerBy();
    bool Acknowledged = false;
    if (const auto Window = FWindows.find(Incoming.Window); Window != FWindows.end()) {
        const TFrameHandler Handler = Window->second.Handler;
        const TStackEntry<std::uint64_t> Handling(FHandling, Id);
        CallHandler(Handler, Frame);
        // Busy entries stay put while the handler runs, so the reference still holds.
        Acknowledged = ::send(Incoming.Socket.Get(), &FrameAck, 1, MSG_NOSIGNAL) == 1;
    }
    if (!Acknowledged || !FWindows.contains(Incoming.Window)) {
        FIncoming.erase(Id);
        return false;
    }
    Incoming.Busy = false;
    Incoming.Notifier->setEnabled(true);
    return true;
}

void TPosixWindowMessaging::DropExpired()
{
    const auto Expired = [](const TIncoming& Incoming, TClock::time_point Now) {
        return !Incoming.Busy && Incoming.Decoder.Started() && Now >= Incoming.Deadline;
    };
    std::vector<std::uint64_t> Late;
    for (const auto& [Id, Incoming] : FIncoming)
        if (Expired(Incoming, TClock::now()))
            Late.push_back(Id);
    // A frame that did arrive whole, unread while this thread was busy, still counts.
    for (const std::uint64_t Id : Late) {
        ServeIncoming(Id);
        if (const auto Found = FIncoming.find(Id);
            Found != FIncoming.end() && Expired(Found->second, TClock::now()))
            FIncoming.erase(Found);
    }
}

void TPosixWindowMessaging::ArmExpiry()
{
    const auto Earliest = EarliestFrameDeadline();
    if (Earliest == TClock::time_point::max()) {
        FExpiry.stop();
        return;
    }
    const auto Wait = std::chrono::ceil<std::chrono::milliseconds>(Earliest - TClock::now());
    FExpiry.start(std::max(Wait, std::chrono::milliseconds::zero()));
}

} // namespace platform
