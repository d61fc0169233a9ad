// Received frames on arbitrary bytes: kind (4 bytes), sender (4 bytes) and the
// data block go through the component's WMCopyData and HandleMessage. The
// window system is a stand-in, so no sockets are touched.
#include "ELernix.h"
#include "TWindowMessaging.h"
#include "TkdbDemonClient.h"

#include <QtGlobal>

#include <cstdint>
#include <cstring>

namespace {

class TSilentMessaging : public platform::TWindowMessaging {
public:
    TWindowHandle CreateHiddenWindow(const std::string&, const std::string&, platform::TFrameHandler) override
    {
        return 1;
    }
    void DestroyHiddenWindow(TWindowHandle) override { }
    TWindowHandle FindWindow(const std::string&, const std::string&) override { return 0; }
    bool IsWindow(TWindowHandle Window) override { return Window == 1; }
    std::optional<platform::TWindowNames> GetWindowNames(TWindowHandle) override { return std::nullopt; }
    bool SendCopyData(TWindowHandle, std::int32_t, std::int32_t, std::span<const std::uint8_t>) override
    {
        return false;
    }
    void ServeUntilReadable(int) override { }
    void SetHandlerErrorSink(platform::THandlerErrorSink) override { }
};

class TFuzzDemon : public TkdbDemonClient {
public:
    using TkdbDemonClient::TkdbDemonClient;

protected:
    void ReleaseOnQuit() override { }
};

std::int32_t Int32At(const std::uint8_t* Data)
{
    std::uint32_t value = 0;
    std::memcpy(&value, Data, 4);
    return static_cast<std::int32_t>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    static const bool quiet = [] {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        return true;
    }();
    (void)quiet;
    if (Size < 8)
        return 0;
    TSilentMessaging messaging;
    TFuzzDemon demon(nullptr, &messaging);
    demon.SetOnGotAMessage([](TkdbCustomDemon*, TLernixMessageStream& Msg) { Msg.ReadString(); });
    const TCopyDataStruct copyData { Int32At(Data), Size - 8, Data + 8 };
    TWindowMessage message { MsgCopyData, Int32At(Data + 4), &copyData, 0 };
    try {
        demon.WndProc(message);
    } catch (const EReadError&) {
    }
    return 0;
}
