#include "CopyDataWire.h"
#include "ELernix.h"
#include "HostDiscovery.h"
#include "HostRequests.h"
#include "HostlinkFixture.h"
#include "MessageFrame.h"
#include "MessageKinds.h"
#include "TTestHost.h"
#include "TWindowMessaging.h"
#include "TkdbDemonClient.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<QString> CapturedWarnings;

void CaptureWarning(QtMsgType Type, const QMessageLogContext&, const QString& Text)
{
    if (Type == QtWarningMsg)
        CapturedWarnings.push_back(Text);
}

class Transport : public HostlinkFixture {
protected:
    // A request for Key to the host found at creation; the reply's string, or
    // nothing when no reply came.
    static std::optional<std::string> Ask(TkdbCustomDemon& Client, std::int32_t Kind, const std::string& Key)
    {
        TLernixMessageStream request(&Client), reply(&Client);
        request.MsgKind = Kind;
        TTextMessage { Key }.Write(request);
        request.SendTo(Client.ServerEntity(), &reply);
        if (reply.Size() == 0)
            return std::nullopt;
        EXPECT_EQ(reply.Position(), 0);
        EXPECT_EQ(reply.Stamp(), request.Stamp());
        return TTextMessage::Read(reply).Text;
    }
};

} // namespace

TEST_F(Transport, RequestAndReplyInOneProcess)
{
    TTestHost host(*FMessaging, "");
    TkdbDemonClient client(nullptr, FMessaging.get());
    ASSERT_EQ(client.ServerEntity().Handle, host.Handle());
    EXPECT_NE(client.OwnEntity().Handle, 0);
    EXPECT_FALSE(client.OwnEntity().ExeName.empty());

    EXPECT_EQ(Ask(client, lmGetValue, "HomePageURL"), TestHostValues().at("HomePageURL"));
    EXPECT_EQ(Ask(client, lmGetValue, ""), "");
    EXPECT_EQ(host.Answers(), 2);
    EXPECT_EQ(client.PendingCount(), 0u);
}

TEST_F(Transport, AReplyWithAnotherStampIsNotKept)
{
    TTestHost host(*FMessaging, "");
    TkdbDemonClient client(nullptr, FMessaging.get());
    const QtMessageHandler previous = qInstallMessageHandler(CaptureWarning);
    EXPECT_EQ(Ask(client, lmQueryString, "stale"), std::nullopt);
    qInstallMessageHandler(previous);
    EXPECT_EQ(host.Answers(), 1);
    EXPECT_EQ(client.PendingCount(), 0u);
    EXPECT_EQ(Ask(client, lmGetValue, "question"), "answer");
    EXPECT_EQ(client.PendingCount(), 0u);
}

TEST_F(Transport, NothingIsSentWithoutHostOrOwnWindow)
{
    TkdbDemonClient client(nullptr, FMessaging.get());
    EXPECT_EQ(client.ServerEntity().Handle, 0);
    EXPECT_EQ(Ask(client, lmGetValue, "k"), std::nullopt);
}

TEST_F(Transport, FramesOfEightBytesCarryAnEmptyMessage)
{
    TkdbDemonClient demon(nullptr, FMessaging.get());
    int got = 0;
    demon.SetOnGotAMessage([&](TkdbCustomDemon* Sender, TLernixMessageStream& Msg) {
        ++got;
        EXPECT_EQ(Sender, &demon);
        EXPECT_EQ(Msg.MsgKind, 5000);
        EXPECT_EQ(Msg.Size(), 0);
        EXPECT_EQ(Msg.Stamp(), (TMessageStamp { 1, 2 }));
        EXPECT_EQ(Msg.SenderEntity->Handle, 77);
    });
    Deliver(demon, 5000, 77, { 1, 0, 0, 0, 2, 0, 0, 0 });
    EXPECT_EQ(got, 1);
}

TEST_F(Transport, BadFramesAreLoggedAndDropped)
{
    TkdbDemonClient demon(nullptr, FMessaging.get());
    int got = 0;
    demon.SetOnGotAMessage([&](TkdbCustomDemon*, TLernixMessageStream&) { ++got; });
    CapturedWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CaptureWarning);
    Deliver(demon, 5000, 1, { 1, 0, 0, 0, 2, 0, 0 });
    Deliver(demon, lmReply, -1, { 1, 0, 0, 0, 2, 0, 0, 0 });
    qInstallMessageHandler(previous);
    EXPECT_EQ(got, 0);
    EXPECT_EQ(demon.PendingCount(), 0u);
    ASSERT_EQ(CapturedWarnings.size(), 2u);
    EXPECT_TRUE(CapturedWarnings[0].contains("shorter than its 8-byte stamp"));
    EXPECT_TRUE(CapturedWarnings[1].contains("sender window -1"));
}

TEST_F(Transport, RepliesThatNoRequestWaitsForAreDropped)
{
    TkdbDemonClient demon(nullptr, FMessaging.get());
    CapturedWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CaptureWarning);
    for (std::uint8_t i = 0; i < 3; ++i)
        Deliver(demon, lmReply, 1, std::vector<std::uint8_t>(1024 * 1024, i));
    qInstallMessageHandler(previous);
    EXPECT_EQ(demon.PendingCount(), 0u);
    ASSERT_EQ(CapturedWarnings.size(), 3u);
    EXPECT_TRUE(CapturedWarnings[0].contains("no request waits for")) << CapturedWarnings[0].toStdString();
}

TEST_F(Transport, ParamsReplaceTheListAndNotify)
{
    TkdbDemonClient demon(nullptr, FMessaging.get());
    int changes = 0;
    demon.SetOnParamsChange([&](TkdbCustomDemon*) { ++changes; });
    Deliver(demon, lmParams, 3, { 0, 0, 0, 0, 0, 0, 0, 0, 'a', '\r', '\n', '\r', '\n', 'b' });
    EXPECT_EQ(demon.Params(), (std::vector<std::string> { "a", "", "b" }));
    EXPECT_EQ(changes, 1);
}

TEST_F(Transport, QuitIsAskedAndThenReleasesTheComponent)
{
    QPointer<TkdbDemonClient> demon = new TkdbDemonClient(nullptr, FMessaging.get());
    bool allow = false;
    bool down = true;
    demon->SetOnQuitMsgReceived([&](TkdbCustomDemon*, bool ServerDown, bool& AllowQuit) {
        EXPECT_EQ(ServerDown, down);
        EXPECT_TRUE(AllowQuit);
        AllowQuit = allow;
    });
    Deliver(*demon, lmQuit, 1, { 0, 0, 0, 0, 0, 0, 0, 0, 1 });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(demon.isNull());
    EXPECT_TRUE(demon->ServerDown());

    allow = true;
    down = false;
    Deliver(*demon, lmQuit, 1, { 0, 0, 0, 0, 0, 0, 0, 0, 0 });
    EXPECT_FALSE(demon->ServerDown());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(demon.isNull());
}

TEST_F(Transport, QuitWithoutItsFlagFailsToRead)
{
    TkdbDemonClient demon(nullptr, FMessaging.get());
    EXPECT_THROW(Deliver(demon, lmQuit, 1, { 0, 0, 0, 0, 0, 0, 0, 0 }), EReadError);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

namespace {

// The test host runs in a process of its own; the client finds it when it is made.
class CrossProcess : public Transport {
protected:
    void SetUp() override
    {
        Transport::SetUp();
        ASSERT_NE(StartPeer(FPeer, ""), 0);
        FClient = std::make_unique<TkdbDemonClient>(nullptr, FMessaging.get());
        ASSERT_NE(FClient->ServerEntity().Handle, 0);
    }

    QProcess FPeer;
    std::unique_ptr<TkdbDemonClient> FClient;
};

} // namespace

TEST_F(CrossProcess, RequestAndReplyAndAQuitThatIsNotForAHost)
{
    EXPECT_EQ(Ask(*FClient, lmGetValue, "HomePageURL"), TestHostValues().at("HomePageURL"));

    TLernixMessageStream quit(FClient.get());
    quit.MsgKind = lmQuit;
    TQuitMessage { true }.Write(quit);
    quit.SendTo(FClient->ServerEntity(), nullptr);
    EXPECT_EQ(Ask(*FClient, lmQueryString, "question"), "answer");
    FPeer.closeWriteChannel();
    EXPECT_TRUE(FPeer.waitForFinished(20000));
    EXPECT_EQ(FPeer.exitCode(), 0);
    EXPECT_FALSE(FClient->ServerEntity().IsAlive());
}

TEST_F(CrossProcess, KilledPeerGivesAnEmptyReplyPromptly)
{
    FPeer.kill();
    ASSERT_TRUE(FPeer.waitForFinished(5000));
    EXPECT_FALSE(FClient->ServerEntity().IsAlive());
    QElapsedTimer sending;
    sending.start();
    EXPECT_EQ(Ask(*FClient, lmGetValue, "HomePageURL"), std::nullopt);
    EXPECT_LT(sending.elapsed(), 2000);
}

TEST(ProtocolPage, WorkedExampleBytes)
{
    // docs/host-protocol.md: lmGetValue "HomePageURL" from window 2 at 12:34:56.789
    // on 29 February 2024, answered by window 1.
    const TMessageStamp stamp { MillisecondsOfDay(12, 34, 56, 789), DayNumber(2024, 2, 29) };
    TLernixMessageStream request, reply;
    request.SetStamp(stamp);
    request.WriteString("HomePageURL");
    reply.SetStamp(stamp);
    reply.WriteString("https://example.org/");
    const std::vector<std::uint8_t> requestBytes { 0x4C, 0x58, 0x43, 0x44, 0x0A, 0x10, 0x00, 0x00, 0x02, 0x00,
        0x00, 0x00, 0x17, 0x00, 0x00, 0x00, 0x95, 0x2C, 0xB3, 0x02, 0x81, 0x46, 0x0B, 0x00, 0x0B, 0x00, 0x00,
        0x00, 0x48, 0x6F, 0x6D, 0x65, 0x50, 0x61, 0x67, 0x65, 0x55, 0x52, 0x4C };
    const std::vector<std::uint8_t> replyHead { 0x4C, 0x58, 0x43, 0x44, 0x01, 0x10, 0x00, 0x00, 0x01, 0x00,
        0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x95, 0x2C, 0xB3, 0x02, 0x81, 0x46, 0x0B, 0x00, 0x14, 0x00, 0x00,
        0x00 };
    EXPECT_EQ(platform::EncodeFrame(lmGetValue, 2, EncodeFrameData(request)), requestBytes);
    const std::vector<std::uint8_t> replyBytes = platform::EncodeFrame(lmReply, 1, EncodeFrameData(reply));
    ASSERT_EQ(replyBytes.size(), 16u + 32u);
    EXPECT_TRUE(std::equal(replyHead.begin(), replyHead.end(), replyBytes.begin()));
}

TEST_F(Transport, TheTestHostEndsOnEveryPathAndTakesItsWindowAlong)
{
    for (const QStringList& arguments : { QStringList { "--help" }, QStringList { "--verbose", "x" },
             QStringList { "-x" }, QStringList {} }) {
        QProcess peer;
        peer.start(QStringLiteral(HOSTLINK_PEER), arguments);
        ASSERT_TRUE(peer.waitForFinished(20000)) << arguments.join(' ').toStdString();
        EXPECT_EQ(peer.exitCode(), arguments.value(0) == "--help" ? 0 : 2)
            << arguments.join(' ').toStdString();
    }
    for (const int signal : { SIGINT, SIGTERM, 0 }) {
        QProcess peer;
        ASSERT_NE(StartPeer(peer, "ends"), 0);
        if (signal == 0)
            peer.closeWriteChannel();
        else
            ::kill(static_cast<pid_t>(peer.processId()), signal);
        ASSERT_TRUE(peer.waitForFinished(20000)) << signal;
        EXPECT_EQ(peer.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(peer.exitCode(), 0) << signal;
        EXPECT_EQ(FindServerWindow(*FMessaging, "ends"), 0) << signal;
        EXPECT_TRUE(QDir(RuntimePath()).entryList({ "w*" }, QDir::Files).isEmpty()) << signal;
    }
}
