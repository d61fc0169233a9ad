// A second process for the window messaging tests.
//   peer echo CLASS NAME   makes a window, prints its handle, and answers every frame
//                          by sending the same data back to its sender (kind 4097);
//   peer die CLASS NAME    the same, but dies on the first frame without answering;
//   peer ask TARGET        sends "ping" to TARGET and prints whether it was delivered
//                          and what came back to its own window before the send returned;
//   peer fetch TARGET MS   the same with a silence bound of MS milliseconds, printing the
//                          size of what came back instead of its text.
#include "TWindowMessaging.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

constexpr std::int32_t ReplyKind = 4097;
constexpr std::int32_t RequestKind = 4100;

int Serve(platform::TWindowMessaging& Messaging, const char* ClassName, const char* WindowName, bool Die)
{
    TWindowHandle Own = 0;
    Own = Messaging.CreateHiddenWindow(ClassName, WindowName, [&](const platform::TCopyDataFrame& Frame) {
        if (Die)
            ::_exit(3);
        Messaging.SendCopyData(Frame.Sender, Own, ReplyKind, Frame.Data);
    });
    std::printf("%d\n", Own);
    std::fflush(stdout);
    return QCoreApplication::exec();
}

int Ask(platform::TWindowMessaging& Messaging, TWindowHandle Target, bool SizeOnly)
{
    std::string Reply;
    const TWindowHandle Own = Messaging.CreateHiddenWindow("PeerAsk", "",
        [&](const platform::TCopyDataFrame& Frame) { Reply.assign(Frame.Data.begin(), Frame.Data.end()); });
    const std::string Request = "ping";
    const bool Delivered = Messaging.SendCopyData(
        Target, Own, RequestKind, { reinterpret_cast<const std::uint8_t*>(Request.data()), Request.size() });
    if (SizeOnly)
        std::printf("delivered=%d size=%zu\n", Delivered ? 1 : 0, Reply.size());
    else
        std::printf("delivered=%d reply=%s\n", Delivered ? 1 : 0, Reply.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // A test that dies takes its peer along, wherever the peer waits.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    QCoreApplication App(argc, argv);
    const std::string Mode = argc > 1 ? argv[1] : "";
    platform::TPosixMessagingOptions Options;
    if (Mode == "fetch" && argc == 4)
        Options.SilenceTimeout = std::chrono::milliseconds(std::atoi(argv[3]));
    const auto Messaging = platform::CreatePosixWindowMessaging(Options);
    if ((Mode == "echo" || Mode == "die") && argc == 4)
        return Serve(*Messaging, argv[2], argv[3], Mode == "die");
    if ((Mode == "ask" && argc == 3) || (Mode == "fetch" && argc == 4))
        return Ask(*Messaging, std::atoi(argv[2]), Mode == "fetch");
    std::fprintf(stderr, "usage: %s echo|die CLASS NAME | ask TARGET | fetch TARGET MS\n", argv[0]);
    return 2;
}
