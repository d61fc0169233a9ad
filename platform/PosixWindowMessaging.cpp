#include "PosixWindowMessaging.h"

#include "RuntimeFolder.h"
#include "UnixSocket.h"

#include <QSocketNotifier>
#include <QTimer>
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <poll.h>
#include <sys/socket.h>

namespace platform {

namespace {

constexpr std::size_t ReadChunkSize = 64 * 1024;

bool WouldBlock()
{
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
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
}

TPosixWindowMessaging::~TPosixWindowMessaging()
{
    for (auto& [Handle, Window] : FWindows)
        CloseWindow(Window);
}

THandle TPosixWindowMessaging::CreateHiddenWindow(
    const std::string& ClassName, const std::string& WindowName, TFrameHandler Handler)
{
    TWindow Window { FTable.Claim(), {}, nullptr, std::move(Handler) };
    const THandle Handle = Window.Claim.Handle;
    try {
        Window.Listener = ListenAt(FTable.SocketPath(Handle));
        FTable.Publish(Handle, { ClassName, WindowName });
    } catch (...) {
        FTable.Remove(Window.Claim);
        throw;
    }
    Window.Notifier = new QSocketNotifier(Window.Listener.Get(), QSocketNotifier::Read, &FContext);
    QObject::connect(Window.Notifier, &QSocketNotifier::activated, &FContext, [this, Handle] {
        AcceptWaiting(Handle);
        Pump(nullptr);
    });
    FWindows.emplace(Handle, std::move(Window));
    return Handle;
}

void TPosixWindowMessaging::CloseWindow(TWindow& Window)
{
    // The notifier may be the one whose signal is running now.
    Window.Notifier->setEnabled(false);
    Window.Notifier->deleteLater();
    FTable.Remove(Window.Claim);
    Window.Listener.Reset();
}

void TPosixWindowMessaging::DestroyHiddenWindow(THandle Handle)
{
    const auto Found = FWindows.find(Handle);
    if (Found == FWindows.end())
        return;
    CloseWindow(Found->second);
    FWindows.erase(Found);
    std::erase_if(FIncoming,
        [Handle](const auto& Entry) { return Entry.second.Window == Handle && !Entry.second.Busy; });
}

THandle TPosixWindowMessaging::FindWindow(const std::string& ClassName, const std::string& WindowName)
{
    return FTable.Find({ ClassName, WindowName });
}

bool TPosixWindowMessaging::IsWindow(THandle Window)
{
    return FTable.IsLive(Window);
}

std::optional<TWindowNames> TPosixWindowMessaging::GetWindowNames(THandle Window)
{
    return FTable.NamesOf(Window);
}

void TPosixWindowMessaging::SetHandlerErrorSink(THandlerErrorSink Sink)
{
    FErrorSink = std::move(Sink);
}

void TPosixWindowMessaging::CallHandler(const TFrameHandler& Handler, const TCopyDataFrame& Frame)
{
    ++FDeliveredCount;
    try {
        Handler(Frame);
    } catch (...) {
        FErrorSink(std::current_exception());
    }
}

bool TPosixWindowMessaging::SendCopyData(
    THandle Target, std::int32_t Sender, std::int32_t Kind, std::span<const std::uint8_t> Data)
{
    TOutgoing Out;
    Out.Bytes = EncodeFrame(Kind, Sender, Data);
    // Like SendMessage within one thread: the window procedure is called directly.
    if (const auto Own = FWindows.find(Target); Own != FWindows.end()) {
        const TFrameHandler Handler = Own->second.Handler;
        CallHandler(Handler, { Kind, { Data.begin(), Data.end() }, Sender });
        return true;
    }
    if (Target <= 0)
        return false;
    Out.Socket = ConnectTo(FTable.SocketPath(Target), FOptions.SilenceTimeout);
    if (!Out.Socket.Valid()) {
        FTable.IsLive(Target);
        return false;
    }
    if (!PeerRunsAs(Out.Socket.Get(), ::geteuid()))
        return false;
    Out.Deadline = NewDeadline();
    Pump(&Out);
    if (HasIdleIncoming())
        QTimer::singleShot(0, &FContext, [this] { Pump(nullptr); });
    return Out.Delivered;
}

void TPosixWindowMessaging::Pump(TOutgoing* Out)
{
    enum class TSource { Outgoing, Listener, Incoming };
    std::vector<pollfd> Fds;
    std::vector<std::pair<TSource, std::uint64_t>> Sources;
    while (Out ? !Out->Finished : HasIdleIncoming()) {
        Fds.clear();
        Sources.clear();
        auto Deadline = TClock::time_point::max();
        if (Out) {
            const bool Writing = Out->Written < Out->Bytes.size();
            Fds.push_back({ Out->Socket.Get(), static_cast<short>(Writing ? POLLOUT : POLLIN), 0 });
            Sources.emplace_back(TSource::Outgoing, 0);
            Deadline = Out->Deadline;
        }
        for (const auto& [Handle, Window] : FWindows) {
            Fds.push_back({ Window.Listener.Get(), POLLIN, 0 });
            Sources.emplace_back(TSource::Listener, static_cast<std::uint64_t>(Handle));
        }
        for (const auto& [Id, Incoming] : FIncoming) {
            if (Incoming.Busy)
                continue;
            Fds.push_back({ Incoming.Socket.Get(), POLLIN, 0 });
            Sources.emplace_back(TSource::Incoming, Id);
            Deadline = std::min(Deadline, Incoming.Deadline);
        }
        const auto Wait = std::chrono::ceil<std::chrono::milliseconds>(Deadline - TClock::now()).count();
        const int Timeout = static_cast<int>(std::clamp<decltype(Wait)>(Wait, 0, INT_MAX));
        if (::poll(Fds.data(), Fds.size(), Timeout) < 0 && errno != EINTR) {
            if (Out)
                Out->Finished = true;
            return;
        }
        const std::uint64_t DeliveredBefore = FDeliveredCount;
        for (std::size_t I = 0; I < Fds.size(); ++I) {
            if (Fds[I].revents == 0)
                continue;
            const auto [Source, Id] = Sources[I];
            if (Source == TSource::Outgoing)
                Advance(*Out);
            else if (Source == TSource::Listener)
                AcceptWaiting(static_cast<THandle>(Id));
            else
                ServeIncoming(Id);
        }
        // A frame handled for us while we wait is the peer at work, not silence.
        if (Out && FDeliveredCount != DeliveredBefore)
            Out->Deadline = NewDeadline();
        if (Out && TClock::now() >= Out->Deadline)
            Out->Finished = true;
        DropExpired();
    }
}

void TPosixWindowMessaging::Advance(TOutgoing& Out)
{
    if (Out.Written < Out.Bytes.size()) {
        const ssize_t Sent = ::send(
            Out.Socket.Get(), Out.Bytes.data() + Out.Written, Out.Bytes.size() - Out.Written, MSG_NOSIGNAL);
        if (Sent > 0) {
            Out.Written += static_cast<std::size_t>(Sent);
            Out.Deadline = NewDeadline();
        } else if (!WouldBlock()) {
            Out.Finished = true;
        }
        return;
    }
    std::uint8_t Answer = 0;
    const ssize_t Received = ::recv(Out.Socket.Get(), &Answer, 1, 0);
    if (Received == 1) {
        Out.Delivered = Answer == FrameAck;
        Out.Finished = true;
    } else if (Received == 0 || !WouldBlock()) {
        Out.Finished = true;
    }
}

void TPosixWindowMessaging::AcceptWaiting(THandle Handle)
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
        TIncoming Incoming;
        Incoming.Socket = std::move(Socket);
        Incoming.Window = Handle;
        Incoming.Deadline = NewDeadline();
        FIncoming.emplace(++FLastIncomingId, std::move(Incoming));
    }
}

void TPosixWindowMessaging::ServeIncoming(std::uint64_t Id)
{
    const auto Found = FIncoming.find(Id);
    if (Found == FIncoming.end() || Found->second.Busy)
        return;
    TIncoming& Incoming = Found->second;
    std::array<std::uint8_t, ReadChunkSize> Buffer;
    for (;;) {
        const ssize_t Received = ::recv(Incoming.Socket.Get(), Buffer.data(), Buffer.size(), 0);
        if (Received < 0 && WouldBlock())
            return;
        if (Received <= 0) {
            FIncoming.erase(Found);
            return;
        }
        Incoming.Deadline = NewDeadline();
        Incoming.Decoder.Feed({ Buffer.data(), static_cast<std::size_t>(Received) });
        if (Incoming.Decoder.State() == TDecodeState::Complete) {
            Deliver(Id);
            return;
        }
        if (Incoming.Decoder.State() != TDecodeState::NeedMore) {
            FIncoming.erase(Found);
            return;
        }
    }
}

void TPosixWindowMessaging::Deliver(std::uint64_t Id)
{
    TIncoming& Incoming = FIncoming.at(Id);
    Incoming.Busy = true;
    const TCopyDataFrame Frame = Incoming.Decoder.TakeFrame();
    const auto Window = FWindows.find(Incoming.Window);
    if (Window != FWindows.end()) {
        const TFrameHandler Handler = Window->second.Handler;
        CallHandler(Handler, Frame);
        // Busy entries stay put while the handler runs, so the reference still holds.
        ::send(Incoming.Socket.Get(), &FrameAck, 1, MSG_NOSIGNAL);
    }
    FIncoming.erase(Id);
}

void TPosixWindowMessaging::DropExpired()
{
    const auto Now = TClock::now();
    std::erase_if(
        FIncoming, [Now](const auto& Entry) { return !Entry.second.Busy && Now >= Entry.second.Deadline; });
}

bool TPosixWindowMessaging::HasIdleIncoming() const
{
    return std::ranges::any_of(FIncoming, [](const auto& Entry) { return !Entry.second.Busy; });
}

} // namespace platform
