#include "ELernix.h"
#include "HostlinkFixture.h"
#include "MessageKinds.h"
#include "ProgramFileNames.h"
#include "StreamEncoding.h"
#include "TTestHost.h"
#include "TkdbDemonClient.h"
#include "Tolkar2000.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>

#include <gtest/gtest.h>

#include <csignal>
#include <string>

namespace {

class DemonLife : public HostlinkFixture {
protected:
    static void SendQuit(TkdbCustomDemon& From, const TEntity& To, bool ServerDown)
    {
        TLernixMessageStream quit(&From);
        quit.MsgKind = lmQuit;
        WriteStreamBoolean(quit, ServerDown);
        From.Send(To, quit, nullptr);
    }

    static void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

std::string ErrorText(const std::function<void()>& Action)
{
    try {
        Action();
    } catch (const ELernix& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

TEST(ProgramFileNames, DictionaryAndFolderOfTheProgramFile)
{
    EXPECT_EQ(DictionaryFileName("/opt/x/fokalis"), "/opt/x/fokalis.itl");
    EXPECT_EQ(DictionaryFileName("C:\\X\\demo.exe"), "C:\\X\\demo.itl");
    EXPECT_EQ(DictionaryFileName("/opt/x.d/fokalis"), "/opt/x.d/fokalis.itl");
    EXPECT_EQ(ExtractFilePath("C:demo.exe"), "C:");
    EXPECT_EQ(ExtractFilePath("demo"), "");
}

TEST_F(DemonLife, ParamStrKeepsTheProgramFileAndRefusesOtherIndexes)
{
    TkdbDemonClient demon(nullptr, FMessaging.get());
    const std::string program = QCoreApplication::applicationFilePath().toStdString();
    Deliver(
        demon, lmParams, 3, { 0, 0, 0, 0, 0, 0, 0, 0, 'o', 't', 'h', 'e', 'r', '\r', '\n', 'b', '\r', '\n' });
    EXPECT_EQ(demon.ParamCount(), 1);
    EXPECT_EQ(demon.ParamStr(0), program);
    EXPECT_EQ(demon.ParamStr(1), "b");
    EXPECT_EQ(ErrorText([&] { demon.ParamStr(-1); }), "Illegal \"ParamStr\" parameter: -1");
    EXPECT_EQ(ErrorText([&] { demon.ParamStr(2); }), "Illegal \"ParamStr\" parameter: 2");
}

TEST_F(DemonLife, QuitDuringABlockingSendWaitsForTheSendToReturn)
{
    TTestHost host(FMessaging.get(), "");
    QPointer<TkdbDemonClient> client = new TkdbDemonClient(nullptr, FMessaging.get());
    ASSERT_EQ(client->ServerEntity().Handle, host.OwnEntity().Handle);
    bool aliveInTheSend = false;
    int unregistered = 0;
    host.SetOnGotAMessage([&](TkdbCustomDemon*, TLernixMessageStream& Msg) {
        if (Msg.MsgKind == lmUnregister) {
            ++unregistered;
            return;
        }
        SendQuit(host, *Msg.SenderEntity, false);
        // Whatever runs the event queue while the client waits must not end it yet.
        RunDeferredDeletes();
        aliveInTheSend = !client.isNull();
        TLernixMessageStream reply(&host);
        reply.MsgKind = lmReply;
        reply.SetStamp(Msg.Stamp());
        reply.WriteString("answer");
        host.Transmit(*Msg.SenderEntity, reply, nullptr);
    });
    EXPECT_EQ(client->QueryHostString("question"), "answer");
    EXPECT_TRUE(aliveInTheSend);
    ASSERT_FALSE(client.isNull());
    EXPECT_EQ(unregistered, 0);
    RunDeferredDeletes();
    EXPECT_TRUE(client.isNull());
    EXPECT_EQ(unregistered, 1);
}

TEST_F(DemonLife, HostModeStartUpAndTheQuitHandshake)
{
    TTestHost host(FMessaging.get(), "");
    const std::string program = QCoreApplication::applicationFilePath().toLocal8Bit().toStdString();
    host.Files[DictionaryFileName(program)] = "[Hello]=Hello from the host|$$\r\n";

    for (const bool serverDown : { true, false }) {
        SCOPED_TRACE(serverDown ? "server going down" : "server staying");
        QLabel owner("TK_Hello");
        QPointer<TkdbDemonClient> client = new TkdbDemonClient(&owner, FMessaging.get());
        ASSERT_NO_THROW(client->Loaded());
        EXPECT_EQ(owner.text(), "Hello from the host");
        EXPECT_EQ(client->Translator()->Translate("Hello"), "Hello from the host");
        ASSERT_EQ(host.Participants.size(), 1u);
        EXPECT_EQ(host.Participants[0].Handle, client->OwnEntity().Handle);
        // Registered before the single-copy step took its lock.
        EXPECT_EQ(host.Participants[0].MutexHandle, 0);
        EXPECT_NE(client->OwnEntity().MutexHandle, 0);

        SendQuit(host, client->OwnEntity(), serverDown);
        RunDeferredDeletes();
        EXPECT_TRUE(client.isNull());
        EXPECT_EQ(host.Participants.size(), serverDown ? 1u : 0u);
        host.Participants.clear();
    }
}

TEST_F(DemonLife, UnusableRuntimeFolderDisablesTheLinkOnlyInStandaloneMode)
{
    const QString open = FRuntime.filePath("open");
    ASSERT_TRUE(QDir().mkdir(open));
    ASSERT_TRUE(QFile::setPermissions(open, QFile::Permissions(0x7777)));
    const QString link = FRuntime.filePath("link");
    ASSERT_TRUE(QFile::link(FRuntime.path(), link));

    for (const QString& folder : { open, link }) {
        SCOPED_TRACE(folder.toStdString());
        qputenv("LERNIX_RUNTIME_DIR", folder.toLocal8Bit());
        TkdbDemonClient standalone;
        standalone.SetUseVandrelServer(false);
        EXPECT_FALSE(standalone.LinkProblem().empty());
        testing::internal::CaptureStderr();
        EXPECT_NO_THROW(standalone.Loaded());
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("running without host link and single-copy check"), std::string::npos) << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
        EXPECT_EQ(standalone.OwnEntity().Handle, 0);
        EXPECT_EQ(standalone.OwnEntity().MutexHandle, 0);

        TkdbDemonClient hosted;
        EXPECT_EQ(ErrorText([&] { hosted.Loaded(); }), "Could not create window handle");
    }
}

TEST_F(DemonLife, OneRunningCopyThatAKilledCopyDoesNotBlock)
{
    QProcess first, second, third;
    const std::string ready = StartClient(first, { "/serverhandle=5", "/ServerHandle=5", "x" });
    ASSERT_TRUE(ready.starts_with("ready ")) << ready;
    EXPECT_NE(ready.substr(ready.rfind(' ')), " 0");
    EXPECT_EQ(NextLine(first), "params /ServerHandle=5|x");

    EXPECT_EQ(StartClient(second, {}), "second copy");
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(20000));
    EXPECT_TRUE(StartClient(third, {}).starts_with("ready ")) << "a new start after a killed first copy";
    third.closeWriteChannel();
    EXPECT_TRUE(third.waitForFinished(20000));
}

TEST_F(DemonLife, SecondCopyPassesItsParametersThroughTheHost)
{
    QProcess host, first, second;
    ASSERT_NE(StartPeer(host, ""), 0);
    ASSERT_TRUE(StartClient(first, { "--host", "a" }).starts_with("ready "));
    EXPECT_EQ(NextLine(first), "params --host|a");

    EXPECT_EQ(StartClient(second, { "--host", "b", "c d" }), "second copy");
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(NextLine(first), "params --host|b|c d");
    first.closeWriteChannel();
    EXPECT_TRUE(first.waitForFinished(20000));
}
