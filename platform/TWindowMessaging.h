#pragma once

#include "TWindowHandle.h"

#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// Hidden windows and WM_COPYDATA between processes of the same user: the part of
// Windows messaging that the host link needs (CreateWindowEx of a hidden window,
// DestroyWindow, FindWindowExA, IsWindow, SendMessageA with WM_COPYDATA).
// The bytes on the wire and the on-disk layout are described in docs/host-protocol.md.
namespace platform {

// One WM_COPYDATA as it reaches the receiver.
struct TCopyDataFrame {
    // dwData: the message kind.
    std::int32_t Kind = 0;
    // lpData: stamp and payload; cbData is Data.size().
    std::vector<std::uint8_t> Data;
    // wParam as the sender gave it, unchecked (the receiver rejects negatives).
    std::int32_t Sender = 0;
};

// The two names a window is found by.
struct TWindowNames {
    std::string ClassName;
    std::string WindowName;
};

// Called for every frame that arrives at a window. It runs on the thread that
// owns the TWindowMessaging, either from the Qt event loop or nested inside a
// blocking SendCopyData of this process. It may send (a reply, say) and may
// destroy its own window; it must not destroy the TWindowMessaging.
using TFrameHandler = std::function<void(const TCopyDataFrame& Frame)>;

// Receives an exception that escaped a frame handler; the frame still counts as
// handled for its sender.
using THandlerErrorSink = std::function<void(std::exception_ptr Error)>;

// The window system cannot do what was asked (folder unusable, no socket, ...).
// what() says what failed and why.
class EWindowMessaging : public std::runtime_error {
public:
    explicit EWindowMessaging(const std::string& Why)
        : std::runtime_error(Why)
    {
    }
};

class TWindowMessaging {
public:
    virtual ~TWindowMessaging() = default;
    TWindowMessaging(const TWindowMessaging&) = delete;
    TWindowMessaging& operator=(const TWindowMessaging&) = delete;

    // Makes a hidden window that others can find by both names and that passes
    // each arriving frame to Handler. Throws EWindowMessaging when it cannot.
    virtual TWindowHandle CreateHiddenWindow(
        const std::string& ClassName, const std::string& WindowName, TFrameHandler Handler)
        = 0;
    // Removes one of this object's windows; unknown handles are ignored. Frames
    // still on their way to it are not delivered.
    virtual void DestroyHiddenWindow(TWindowHandle Window) = 0;
    // FindWindowExA(0, 0, ClassName, WindowName): a live window with exactly these
    // names, or 0. As on Windows, A to Z match a to z; other bytes must be equal.
    // When several match, the lowest handle wins. Leftovers of dead processes
    // met on the way are removed.
    virtual TWindowHandle FindWindow(const std::string& ClassName, const std::string& WindowName) = 0;
    // True while Window names a live window of any process of the user.
    virtual bool IsWindow(TWindowHandle Window) = 0;
    // The names of a live window, or nothing.
    virtual std::optional<TWindowNames> GetWindowNames(TWindowHandle Window) = 0;
    // SendMessageA(Target, WM_COPYDATA, Sender, {Kind, Data}). Blocks until the
    // target's handler has returned; meanwhile frames arriving at this object's
    // own windows are handled (a reply among them) and nothing else. Gives true
    // when the frame was delivered and handled; false when the target does not
    // exist, dies, refuses the frame, stays silent longer than the silence bound or
    // keeps the send beyond the send bound. A receiver handles a frame only while
    // its sender still waits for it.
    // Throws EWindowMessaging when Data is longer than MaxCopyDataSize.
    virtual bool SendCopyData(
        TWindowHandle Target, std::int32_t Sender, std::int32_t Kind, std::span<const std::uint8_t> Data)
        = 0;
    // Blocks until Fd is readable (or cannot be watched), handling meanwhile the frames
    // that arrive at this object's own windows as a waiting send does, so that a program
    // waiting for something else still answers its peers.
    virtual void ServeUntilReadable(int Fd) = 0;
    // Replaces the default sink, which logs the exception with qWarning.
    virtual void SetHandlerErrorSink(THandlerErrorSink Sink) = 0;

protected:
    TWindowMessaging() = default;
};

// The longest lpData that is sent or accepted.
inline constexpr std::size_t MaxCopyDataSize = 16 * 1024 * 1024;

struct TPosixMessagingOptions {
    // How long a send may go without progress (bytes written, the answer, a frame
    // handled at the own windows) before its peer counts as gone; also how long an
    // arriving frame may take from its first byte to its last.
    std::chrono::milliseconds SilenceTimeout { 5000 };
    // The longest a send may take, however busy its peer keeps it; sends made
    // while it waits end by the same time.
    std::chrono::milliseconds SendTimeout { 15000 };
};

// The POSIX version: windows are AF_UNIX sockets in the user's runtime folder
// ($LERNIX_RUNTIME_DIR, else $XDG_RUNTIME_DIR/lernix, else /tmp/lernix-<uid>).
// Needs a QCoreApplication for delivery from the event loop. Throws
// EWindowMessaging when the runtime folder cannot be made or is not safe.
// A program uses one instance for all its windows: only that instance's windows
// are served while one of its sends waits.
std::unique_ptr<TWindowMessaging> CreatePosixWindowMessaging(const TPosixMessagingOptions& Options = {});

} // namespace platform
