#include "TWindowMessaging.h"

#include "CopyDataWire.h"
#include "PlatformTestSupport.h"
#include "TPeerProcess.h"
#include "TPrivateRuntimeFolder.h"
#include "TWindowTable.h"
#include "UnixSocket.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace platform;
using namespace std::chrono_literals;

namespace {

constexpr std::int32_t ReplyKind = 4097;
constexpr std::int32_t RequestKind = 4100;
constexpr uid_t Nobody = 65534;
// Short, so the tests of silent peers stay quick; long enough for a loaded machine.
constexpr std::chrono::milliseconds ShortSilence { 500 };

std::vector<std::uint8_t> Bytes(const std::string& Text)
{
    return { Text.begin(), Text.end() };
}
std::string Text(const std::vector<std::uint8_t>& Data)
{
    return { Data.begin(), Data.end() };
}

// True once the other end has closed the connection.
bool ClosedByPeer(int Socket)
{
    std::uint8_t Byte = 0;
    return ::recv(Socket, &Byte, 1, MSG_DONTWAIT) == 0;
}

class WindowMessagingTest : public testing::Test {
protected:
    std::unique_ptr<TWindowMessaging> Make(
        std::chrono::milliseconds Silence = 5s, std::chrono::milliseconds Send = 15s)
    {
        return CreatePosixWindowMessaging({ Silence, Send });
    }
    // A window that keeps what arrives at it.
    TWindowHandle Collector(TWindowMessaging& Messaging, const std::string& Name = "Collector")
    {
        return Messaging.CreateHiddenWindow(
            "TestClass", Name, [this](const TCopyDataFrame& Frame) { FReceived.push_back(Frame); });
    }
    std::string SocketOf(TWindowHandle Handle) const
    {
        return TWindowTable(FFolder.Path()).SocketPath(Handle);
    }

    TPrivateRuntimeFolder FFolder;
    std::vector<TCopyDataFrame> FReceived;
};

} // namespace

TEST_F(WindowMessagingTest, AReplySentFromTheHandlerArrivesBeforeTheSendReturns)
{
    const auto Messaging = Make();
    const TWindowHandle Client = Collector(*Messaging);
    const TWindowHandle Host = Messaging->CreateHiddenWindow("Host", "", [&](const TCopyDataFrame& Frame) {
        Messaging->SendCopyData(Frame.Sender, 0, ReplyKind, Frame.Data);
    });
    EXPECT_TRUE(Messaging->SendCopyData(Host, Client, RequestKind, Bytes("stamp+query")));
    ASSERT_EQ(FReceived.size(), 1u);
    EXPECT_EQ(FReceived[0].Kind, ReplyKind);
    EXPECT_EQ(Text(FReceived[0].Data), "stamp+query");
}

TEST_F(WindowMessagingTest, FindsWindowsByNamesAndNamesByHandle)
{
    const auto Messaging = Make();
    const TWindowHandle Window = Collector(*Messaging, "Named");
    EXPECT_EQ(Messaging->FindWindow("TestClass", "Named"), Window);
    EXPECT_EQ(Messaging->FindWindow("testclass", "named"), Window);
    EXPECT_EQ(Messaging->FindWindow("TestClass", "Other"), 0);
    const auto Names = Messaging->GetWindowNames(Window);
    ASSERT_TRUE(Names);
    EXPECT_EQ(Names->ClassName, "TestClass");
    EXPECT_EQ(Names->WindowName, "Named");
    Messaging->DestroyHiddenWindow(Window);
    EXPECT_FALSE(Messaging->IsWindow(Window));
    EXPECT_EQ(Messaging->FindWindow("TestClass", "Named"), 0);
    EXPECT_TRUE(FFolder.Entries().empty());
}

TEST_F(WindowMessagingTest, AHandlerMayDestroyItsOwnWindowAndItsErrorsGoToTheSink)
{
    const auto Messaging = Make();
    std::vector<std::string> Errors;
    Messaging->SetHandlerErrorSink([&](std::exception_ptr Error) {
        try {
            std::rethrow_exception(Error);
        } catch (const std::exception& Failure) {
            Errors.push_back(Failure.what());
        }
    });
    TWindowHandle Window = 0;
    Window = Messaging->CreateHiddenWindow("C", "N", [&](const TCopyDataFrame&) {
        Messaging->DestroyHiddenWindow(Window);
        throw std::runtime_error("handler failed");
    });
    EXPECT_TRUE(Messaging->SendCopyData(Window, 0, 1, {}));
    EXPECT_EQ(Errors, std::vector<std::string> { "handler failed" });
    EXPECT_FALSE(Messaging->IsWindow(Window));
    EXPECT_FALSE(Messaging->SendCopyData(Window, 0, 1, {}));
}

TEST_F(WindowMessagingTest, ExchangesRequestAndReplyWithAnotherProcessBothWays)
{
    const auto Messaging = Make();
    test::TPeerProcess Peer({ "echo", "PeerClass", "PeerWindow" });
    const auto Line = Peer.ReadLine();
    ASSERT_TRUE(Line);
    const TWindowHandle PeerWindow = std::stoi(*Line);
    EXPECT_EQ(Messaging->FindWindow("PeerClass", "PeerWindow"), PeerWindow);
    EXPECT_TRUE(Messaging->IsWindow(PeerWindow));

    const TWindowHandle Client = Collector(*Messaging);
    EXPECT_TRUE(Messaging->SendCopyData(PeerWindow, Client, RequestKind, Bytes("hello")));
    ASSERT_EQ(FReceived.size(), 1u);
    EXPECT_EQ(FReceived[0].Kind, ReplyKind);
    EXPECT_EQ(FReceived[0].Sender, PeerWindow);
    EXPECT_EQ(Text(FReceived[0].Data), "hello");

    // The other way round: this process is the host, served from the event loop.
    const TWindowHandle Host = Messaging->CreateHiddenWindow("Host", "", [&](const TCopyDataFrame& Frame) {
        Messaging->SendCopyData(Frame.Sender, Host, ReplyKind, Bytes("pong:" + Text(Frame.Data)));
    });
    test::TPeerProcess Asker({ "ask", std::to_string(Host) });
    EXPECT_EQ(Asker.ReadLine(), "delivered=1 reply=pong:ping");
}

TEST_F(WindowMessagingTest, ALargeFrameCrossesProcessesWhole)
{
    const auto Messaging = Make();
    test::TPeerProcess Peer({ "echo", "PeerClass", "Big" });
    const TWindowHandle PeerWindow = std::stoi(Peer.ReadLine().value_or("0"));
    const TWindowHandle Client = Collector(*Messaging);
    std::vector<std::uint8_t> Data(3 * 1024 * 1024);
    for (std::size_t I = 0; I < Data.size(); ++I)
        Data[I] = static_cast<std::uint8_t>(I * 7 + I / 251);
    EXPECT_TRUE(Messaging->SendCopyData(PeerWindow, Client, RequestKind, Data));
    ASSERT_EQ(FReceived.size(), 1u);
    EXPECT_TRUE(FReceived[0].Data == Data);
}

TEST_F(WindowMessagingTest, AKilledPeerIsNotFoundItsFilesGoAndSendsFailAtOnce)
{
    const auto Messaging = Make(60s);
    test::TPeerProcess Peer({ "echo", "PeerClass", "Doomed" });
    const TWindowHandle PeerWindow = std::stoi(Peer.ReadLine().value_or("0"));
    // One exchange first, so the send below meets a kept connection to the dead peer.
    ASSERT_TRUE(Messaging->SendCopyData(PeerWindow, Collector(*Messaging), RequestKind, Bytes("x")));
    Peer.Kill();
    const auto Start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Messaging->SendCopyData(PeerWindow, 0, RequestKind, Bytes("x")));
    EXPECT_LT(std::chrono::steady_clock::now() - Start, 30s) << "waited for the silence bound";
    EXPECT_EQ(Messaging->FindWindow("PeerClass", "Doomed"), 0);
    EXPECT_FALSE(Messaging->IsWindow(PeerWindow));
    EXPECT_EQ(FFolder.Entries().size(), 3u) << "only the collector's lock, name and socket stay";
}

TEST_F(WindowMessagingTest, APeerDyingWhileHandlingGivesNotDeliveredAtOnce)
{
    const auto Messaging = Make(60s);
    test::TPeerProcess Peer({ "die", "PeerClass", "Dies" });
    const TWindowHandle PeerWindow = std::stoi(Peer.ReadLine().value_or("0"));
    const auto Start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Messaging->SendCopyData(PeerWindow, 0, RequestKind, Bytes("x")));
    EXPECT_LT(std::chrono::steady_clock::now() - Start, 30s) << "waited for the silence bound";
}

TEST_F(WindowMessagingTest, ASilentPeerCountsAsNotDeliveredAfterTheBound)
{
    const auto Messaging = Make(ShortSilence);
    // A window that listens and never reads: its queue accepts, nobody answers.
    TWindowTable Table(FFolder.Path());
    TWindowClaim Silent = Table.Claim();
    const TUniqueFd Listener = ListenAt(Table.SocketPath(Silent.Handle));
    Table.Publish(Silent.Handle, { "Silent", "" });
    const auto Start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Messaging->SendCopyData(Silent.Handle, 0, RequestKind, Bytes("anyone?")));
    EXPECT_GE(std::chrono::steady_clock::now() - Start, ShortSilence);
    Table.Remove(Silent);
}

TEST_F(WindowMessagingTest, AHalfFrameIsDroppedAfterTheBoundWithoutHoldingOthersUp)
{
    const auto Messaging = Make(ShortSilence);
    const TWindowHandle Window = Collector(*Messaging);
    const auto Frame = EncodeFrame(RequestKind, 1, Bytes("complete"));
    const TUniqueFd Stalled = test::ConnectRaw(SocketOf(Window));
    test::WriteRaw(Stalled.Get(), { Frame.begin(), Frame.begin() + 10 });
    test::ServeEventsFor(50ms);

    const TUniqueFd Whole = test::ConnectRaw(SocketOf(Window));
    test::WriteRaw(Whole.Get(), Frame);
    EXPECT_EQ(test::AnswerOf(Whole.Get()), FrameAck);
    ASSERT_EQ(FReceived.size(), 1u);
    EXPECT_EQ(Text(FReceived[0].Data), "complete");

    EXPECT_EQ(test::AnswerOf(Stalled.Get()), std::nullopt);
    EXPECT_EQ(FReceived.size(), 1u);
}

TEST_F(WindowMessagingTest, AStalledFrameDoesNotHoldUpTheEventLoop)
{
    const auto Messaging = Make(60s);
    const TWindowHandle Window = Collector(*Messaging);
    const auto Frame = EncodeFrame(RequestKind, 1, Bytes("complete"));
    const TUniqueFd Stalled = test::ConnectRaw(SocketOf(Window));
    test::WriteRaw(Stalled.Get(), { Frame.begin(), Frame.begin() + 10 });
    bool TimerRan = false;
    QTimer::singleShot(50ms, [&] { TimerRan = true; });
    const auto Start = std::chrono::steady_clock::now();
    EXPECT_TRUE(test::ServeEventsUntil([&] { return TimerRan; }));
    EXPECT_LT(std::chrono::steady_clock::now() - Start, 30s) << "the event loop waited for the stalled frame";
}

TEST_F(WindowMessagingTest, OneConnectionCarriesFrameAfterFrame)
{
    const auto Messaging = Make();
    const TWindowHandle Window = Collector(*Messaging);
    const TUniqueFd Socket = test::ConnectRaw(SocketOf(Window));
    for (const char* Data : { "first", "second" }) {
        test::WriteRaw(Socket.Get(), EncodeFrame(RequestKind, 1, Bytes(Data)));
        EXPECT_EQ(test::AnswerOf(Socket.Get()), FrameAck);
    }
    ASSERT_EQ(FReceived.size(), 2u);
    EXPECT_EQ(Text(FReceived[1].Data), "second");
}

TEST_F(WindowMessagingTest, AFrameArrivingWhileAHandlerRunsAnEventLoopWaitsForIt)
{
    const auto Messaging = Make();
    std::vector<std::string> Order;
    int Depth = 0;
    int Deepest = 0;
    TUniqueFd Socket;
    const TWindowHandle Window = Messaging->CreateHiddenWindow("C", "N", [&](const TCopyDataFrame& Frame) {
        Deepest = std::max(Deepest, ++Depth);
        Order.push_back(Text(Frame.Data));
        // As a message box would: the next frame comes while this one is handled.
        if (Order.size() == 1) {
            test::WriteRaw(Socket.Get(), EncodeFrame(RequestKind, 1, Bytes("second")));
            test::ServeEventsFor(100ms);
        }
        --Depth;
    });
    Socket = test::ConnectRaw(SocketOf(Window));
    test::WriteRaw(Socket.Get(), EncodeFrame(RequestKind, 1, Bytes("first")));
    EXPECT_EQ(test::AnswerOf(Socket.Get()), FrameAck);
    EXPECT_EQ(test::AnswerOf(Socket.Get()), FrameAck);
    EXPECT_EQ(Order, (std::vector<std::string> { "first", "second" }));
    EXPECT_EQ(Deepest, 1);
}

TEST_F(WindowMessagingTest, MalformedFramesAreRefusedWithoutAnAnswer)
{
    const auto Messaging = Make();
    const TWindowHandle Window = Collector(*Messaging);
    auto Oversize = EncodeFrame(RequestKind, 1, {});
    Oversize[12] = Oversize[13] = Oversize[14] = Oversize[15] = 0xff;
    auto BadMagic = EncodeFrame(RequestKind, 1, Bytes("data"));
    BadMagic[0] = 'X';
    const auto Whole = EncodeFrame(RequestKind, 1, Bytes("truncated"));
    const std::vector<std::uint8_t> Truncated(Whole.begin(), Whole.end() - 3);
    for (const auto& Frame : { Oversize, BadMagic, Truncated }) {
        const TUniqueFd Socket = test::ConnectRaw(SocketOf(Window));
        test::WriteRaw(Socket.Get(), Frame);
        ::shutdown(Socket.Get(), SHUT_WR);
        EXPECT_EQ(test::AnswerOf(Socket.Get()), std::nullopt);
    }
    EXPECT_TRUE(FReceived.empty());
}

TEST_F(WindowMessagingTest, AFrameFromAnotherUserIsRefused)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as a second user";
    const auto Messaging = Make();
    const TWindowHandle Window = Collector(*Messaging);
    // Let the other user reach the socket, so only the credential check stands.
    ::chmod(FFolder.Path().c_str(), 0711);
    ::chmod(SocketOf(Window).c_str(), 0666);
    const auto Frame = EncodeFrame(RequestKind, 1, Bytes("intruder"));
    const pid_t Child = ::fork();
    if (Child == 0) {
        if (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
            ::_exit(2);
        const TUniqueFd Socket = test::ConnectRaw(SocketOf(Window));
        if (!Socket.Valid())
            ::_exit(3);
        ::send(Socket.Get(), Frame.data(), Frame.size(), MSG_NOSIGNAL);
        std::uint8_t Answer = 0;
        ::_exit(::recv(Socket.Get(), &Answer, 1, 0) == 1 && Answer == FrameAck ? 1 : 0);
    }
    int Status = -1;
    EXPECT_TRUE(test::ServeEventsUntil([&] { return ::waitpid(Child, &Status, WNOHANG) == Child; }));
    EXPECT_TRUE(WIFEXITED(Status));
    EXPECT_EQ(WEXITSTATUS(Status), 0) << "1: acknowledged, 2: no second user, 3: could not connect";
    EXPECT_TRUE(FReceived.empty());
    ::chmod(FFolder.Path().c_str(), 0700);
}

TEST_F(WindowMessagingTest, AnUnusableRuntimeFolderIsAClearError)
{
    ::chmod(FFolder.Path().c_str(), 0755);
    try {
        Make();
        FAIL() << "a folder open to others was accepted";
    } catch (const EWindowMessaging& Error) {
        EXPECT_NE(std::string(Error.what()).find(FFolder.Path()), std::string::npos) << Error.what();
    }
}

TEST_F(WindowMessagingTest, TricklingPeersNeitherKeepTheirSlotsNorLockNewcomersOut)
{
    const auto Messaging = Make(ShortSilence);
    const TWindowHandle Window = Collector(*Messaging);
    const auto Frame = EncodeFrame(RequestKind, 1, std::vector<std::uint8_t>(200, 0x61));
    // More connections than a window keeps, each with a frame begun and left.
    std::vector<TUniqueFd> Started;
    for (int I = 0; I < 100; ++I) {
        Started.push_back(test::ConnectRaw(SocketOf(Window)));
        test::WriteRaw(Started.back().Get(), { Frame.begin(), Frame.begin() + 1 });
        // Accepted as they come, so that the listener's queue never fills.
        QCoreApplication::processEvents();
    }
    test::ServeEventsFor(50ms);
    const TUniqueFd Newcomer = test::ConnectRaw(SocketOf(Window));
    test::WriteRaw(Newcomer.Get(), Frame);
    EXPECT_EQ(test::AnswerOf(Newcomer.Get()), FrameAck);

    // A byte every tenth of the bound would take ten bounds to finish the frame.
    const TUniqueFd Trickle = test::ConnectRaw(SocketOf(Window));
    const auto Start = std::chrono::steady_clock::now();
    for (auto Byte = Frame.begin(); Byte != Frame.end() && !ClosedByPeer(Trickle.Get()); ++Byte) {
        ::send(Trickle.Get(), &*Byte, 1, MSG_NOSIGNAL);
        test::ServeEventsFor(ShortSilence / 10);
    }
    EXPECT_TRUE(ClosedByPeer(Trickle.Get()));
    EXPECT_LT(std::chrono::steady_clock::now() - Start, 4 * ShortSilence);
    EXPECT_EQ(FReceived.size(), 1u);
}

TEST_F(WindowMessagingTest, APeerThatKeepsSendingCannotHoldASendBeyondItsBound)
{
    const auto Messaging = Make(ShortSilence, 4 * ShortSilence);
    const TWindowHandle Own = Collector(*Messaging);
    // A window that takes the frame and never answers, but keeps sending to us.
    TWindowTable Table(FFolder.Path());
    TWindowClaim Chatty = Table.Claim();
    const TUniqueFd Listener = ListenAt(Table.SocketPath(Chatty.Handle));
    Table.Publish(Chatty.Handle, { "Chatty", "" });
    std::atomic<bool> Stop = false;
    std::thread Chatter([&] {
        const TUniqueFd Back = test::ConnectRaw(SocketOf(Own));
        const auto Frame = EncodeFrame(RequestKind, Chatty.Handle, Bytes("still busy"));
        for (int Round = 0; Round < 100 && !Stop; ++Round) {
            std::uint8_t Answer = 0;
            ::send(Back.Get(), Frame.data(), Frame.size(), MSG_NOSIGNAL);
            ::recv(Back.Get(), &Answer, 1, 0);
            std::this_thread::sleep_for(ShortSilence / 5);
        }
    });
    const auto Start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Messaging->SendCopyData(Chatty.Handle, Own, RequestKind, Bytes("answer me")));
    const auto Took = std::chrono::steady_clock::now() - Start;
    Stop = true;
    Chatter.join();
    EXPECT_GE(Took, 4 * ShortSilence);
    EXPECT_LT(Took, 8 * ShortSilence);
    EXPECT_GT(FReceived.size(), 4u) << "the peer's frames were handled while the send waited";
    Table.Remove(Chatty);
}

TEST_F(WindowMessagingTest, AFrameWhoseSenderGaveUpIsNotHandledLater)
{
    const auto Messaging = Make(ShortSilence);
    test::TPeerProcess Peer({ "echo", "PeerClass", "Frozen" });
    const TWindowHandle PeerWindow = std::stoi(Peer.ReadLine().value_or("0"));
    const TWindowHandle Client = Collector(*Messaging);
    Peer.Signal(SIGSTOP);
    EXPECT_FALSE(Messaging->SendCopyData(PeerWindow, Client, RequestKind, Bytes("too late")));
    Peer.Signal(SIGCONT);
    // Had the peer handled the frame now, its echo would arrive here.
    test::ServeEventsFor(2 * ShortSilence);
    EXPECT_TRUE(FReceived.empty());
    EXPECT_TRUE(Messaging->SendCopyData(PeerWindow, Client, RequestKind, Bytes("in time")));
    ASSERT_EQ(FReceived.size(), 1u);
    EXPECT_EQ(Text(FReceived[0].Data), "in time");
}

TEST_F(WindowMessagingTest, LargeRepliesToOverlappingRequestsArriveWholeBesideASilentPeer)
{
    constexpr std::chrono::milliseconds Silence { 2000 };
    const auto Messaging = Make(Silence);
    // A window that takes its reply into the listener's queue and never acknowledges it.
    TWindowTable Table(FFolder.Path());
    TWindowClaim Silent = Table.Claim();
    const TUniqueFd Listener = ListenAt(Table.SocketPath(Silent.Handle));
    Table.Publish(Silent.Handle, { "Silent", "" });
    const std::vector<std::uint8_t> Big(8 * 1024 * 1024, 0x5a);
    TUniqueFd SilentRequest;
    TWindowHandle Host = 0;
    Host = Messaging->CreateHiddenWindow("Host", "", [&](const TCopyDataFrame& Frame) {
        if (Frame.Sender == Silent.Handle) {
            Messaging->SendCopyData(Frame.Sender, Host, ReplyKind, Bytes("small"));
            return;
        }
        // The silent peer asks while the first large reply is on its way.
        if (!SilentRequest.Valid()) {
            SilentRequest = test::ConnectRaw(SocketOf(Host));
            test::WriteRaw(SilentRequest.Get(), EncodeFrame(RequestKind, Silent.Handle, Bytes("value?")));
        }
        Messaging->SendCopyData(Frame.Sender, Host, ReplyKind, Big);
    });
    std::vector<std::unique_ptr<test::TPeerProcess>> Fetchers;
    for (int I = 0; I < 3; ++I)
        Fetchers.push_back(std::make_unique<test::TPeerProcess>(
            std::vector<std::string> { "fetch", std::to_string(Host), std::to_string(Silence.count()) }));
    for (auto& Fetcher : Fetchers)
        EXPECT_EQ(Fetcher->ReadLine(), "delivered=1 size=" + std::to_string(Big.size()));
    EXPECT_TRUE(SilentRequest.Valid());
    Table.Remove(Silent);
}

TEST_F(WindowMessagingTest, APeerWhoseFramesAllStayBusyCannotLockOthersOut)
{
    const auto Messaging = Make();
    pid_t Newcomer = -1;
    int Status = -1;
    const auto NewcomerEnded
        = [&] { return Status != -1 || ::waitpid(Newcomer, &Status, WNOHANG) == Newcomer; };
    // Every frame of the busy peer is handled in a loop (as under a message box) that
    // ends only when the newcomer is through.
    const TWindowHandle Window = Messaging->CreateHiddenWindow("C", "N", [&](const TCopyDataFrame& Frame) {
        if (Text(Frame.Data) == "busy")
            test::ServeEventsUntil(NewcomerEnded);
    });
    // More connections than a process keeps, accepted as they come so that the
    // listener's queue never fills; then a frame on each that stays busy.
    std::vector<TUniqueFd> Held;
    for (int I = 0; I < 70; ++I) {
        Held.push_back(test::ConnectRaw(SocketOf(Window)));
        QCoreApplication::processEvents();
    }
    const auto Busy = EncodeFrame(RequestKind, 1, Bytes("busy"));
    for (const TUniqueFd& Socket : Held)
        ::send(Socket.Get(), Busy.data(), Busy.size(), MSG_NOSIGNAL);
    const auto Frame = EncodeFrame(RequestKind, 2, Bytes("newcomer"));
    Newcomer = ::fork();
    if (Newcomer == 0) {
        const TUniqueFd Socket = test::ConnectRaw(SocketOf(Window));
        ::send(Socket.Get(), Frame.data(), Frame.size(), MSG_NOSIGNAL);
        std::uint8_t Answer = 0;
        ::_exit(::recv(Socket.Get(), &Answer, 1, 0) == 1 && Answer == FrameAck ? 0 : 1);
    }
    EXPECT_TRUE(test::ServeEventsUntil(NewcomerEnded));
    EXPECT_TRUE(WIFEXITED(Status));
    EXPECT_EQ(WEXITSTATUS(Status), 0) << "the newcomer's frame was not acknowledged";
}

TEST_F(WindowMessagingTest, WaitingForSomethingElseStillAnswersFrames)
{
    const auto Messaging = Make();
    const TWindowHandle Window = Collector(*Messaging);
    int Ends[2] = { -1, -1 };
    ASSERT_EQ(::pipe(Ends), 0);
    const TUniqueFd ReadEnd(Ends[0]), WriteEnd(Ends[1]);
    // What is waited for comes only once a frame sent meanwhile has its answer.
    std::thread Peer([&] {
        const TUniqueFd Socket = test::ConnectRaw(SocketOf(Window));
        const auto Frame = EncodeFrame(RequestKind, 1, Bytes("while waiting"));
        ::send(Socket.Get(), Frame.data(), Frame.size(), MSG_NOSIGNAL);
        std::uint8_t Answer = 0;
        const char Outcome = ::recv(Socket.Get(), &Answer, 1, 0) == 1 && Answer == FrameAck ? 'y' : 'n';
        EXPECT_EQ(::write(WriteEnd.Get(), &Outcome, 1), 1);
    });
    Messaging->ServeUntilReadable(ReadEnd.Get());
    Peer.join();
    char Outcome = 0;
    EXPECT_EQ(::read(ReadEnd.Get(), &Outcome, 1), 1);
    EXPECT_EQ(Outcome, 'y');
    ASSERT_EQ(FReceived.size(), 1u);
    EXPECT_EQ(Text(FReceived[0].Data), "while waiting");
}
