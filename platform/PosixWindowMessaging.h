#pragma once

#include "CopyDataWire.h"
#include "UniqueFd.h"
#include "WindowMessaging.h"
#include "WindowTable.h"

#include <QObject>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>

class QSocketNotifier;

namespace platform {

// Windows as listening sockets (WindowTable), one connection per frame
// (CopyDataWire). All sockets are non-blocking; one poll loop (Pump) moves every
// connection forward, so a handler may send again at any depth.
class TPosixWindowMessaging final : public TWindowMessaging {
public:
    explicit TPosixWindowMessaging(const TPosixMessagingOptions& Options);
    ~TPosixWindowMessaging() override;

    THandle CreateHiddenWindow(
        const std::string& ClassName, const std::string& WindowName, TFrameHandler Handler) override;
    void DestroyHiddenWindow(THandle Window) override;
    THandle FindWindow(const std::string& ClassName, const std::string& WindowName) override;
    bool IsWindow(THandle Window) override;
    std::optional<TWindowNames> GetWindowNames(THandle Window) override;
    bool SendCopyData(
        THandle Target, std::int32_t Sender, std::int32_t Kind, std::span<const std::uint8_t> Data) override;
    void SetHandlerErrorSink(THandlerErrorSink Sink) override;

private:
    using TClock = std::chrono::steady_clock;

    struct TWindow {
        TWindowClaim Claim;
        TUniqueFd Listener;
        QSocketNotifier* Notifier = nullptr;
        TFrameHandler Handler;
    };
    // A connection that brings one frame to one of the own windows.
    struct TIncoming {
        TUniqueFd Socket;
        THandle Window = 0;
        TFrameDecoder Decoder;
        TClock::time_point Deadline;
        // Its frame is being handled; only Deliver may end it.
        bool Busy = false;
    };
    // The connection of one blocking send.
    struct TOutgoing {
        TUniqueFd Socket;
        std::vector<std::uint8_t> Bytes;
        std::size_t Written = 0;
        TClock::time_point Deadline;
        bool Finished = false;
        bool Delivered = false;
    };

    TClock::time_point NewDeadline() const { return TClock::now() + FOptions.SilenceTimeout; }
    void CloseWindow(TWindow& Window);
    void CallHandler(const TFrameHandler& Handler, const TCopyDataFrame& Frame);
    // Until Out is finished, or with no Out until no incoming frame is pending.
    void Pump(TOutgoing* Out);
    void Advance(TOutgoing& Out);
    void AcceptWaiting(THandle Window);
    void ServeIncoming(std::uint64_t Id);
    void Deliver(std::uint64_t Id);
    void DropExpired();
    bool HasIdleIncoming() const;

    TPosixMessagingOptions FOptions;
    TWindowTable FTable;
    // Parent of the notifiers, and the context of queued calls; outlives the windows.
    QObject FContext;
    std::map<THandle, TWindow> FWindows;
    std::map<std::uint64_t, TIncoming> FIncoming;
    std::uint64_t FLastIncomingId = 0;
    std::uint64_t FDeliveredCount = 0;
    THandlerErrorSink FErrorSink;
};

} // namespace platform
