#include "ELernix.h"
#include "HostDiscovery.h"
#include "HostlinkFixture.h"
#include "LocaleDictionary.h"
#include "MessageKinds.h"
#include "ProgramFileNames.h"
#include "RawCommandLine.h"
#include "StreamEncoding.h"
#include "TTestHost.h"
#include "TTolkar2000Walk.h"
#include "TkdbDemonClient.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <utility>
#include <vector>

namespace {

class DemonLife : public HostlinkFixture {
protected:
    static void SendQuit(TkdbCustomDemon& From, const TEntity& To, bool ServerDown)
    {
        TLernixMessageStream Quit(&From);
        Quit.MsgKind = lmQuit;
        WriteStreamBoolean(Quit, ServerDown);
        From.Send(To, Quit, nullptr);
    }

    static void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

} // namespace

TEST_F(DemonLife, ParamStrKeepsTheProgramFileAndRefusesOtherIndexes)
{
    TkdbDemonClient Demon(nullptr, FMessaging.get());
    const std::string Program = QCoreApplication::applicationFilePath().toStdString();
    Deliver(
        Demon, lmParams, 3, { 0, 0, 0, 0, 0, 0, 0, 0, 'o', 't', 'h', 'e', 'r', '\r', '\n', 'b', '\r', '\n' });
    EXPECT_EQ(Demon.ParamCount(), 1);
    EXPECT_EQ(Demon.ParamStr(0), Program);
    EXPECT_EQ(Demon.ParamStr(1), "b");
    EXPECT_EQ(ErrorText<ELernix>([&] { Demon.ParamStr(-1); }), "Illegal \"ParamStr\" parameter: -1");
    EXPECT_EQ(ErrorText<ELernix>([&] { Demon.ParamStr(2); }), "Illegal \"ParamStr\" parameter: 2");
}

TEST_F(DemonLife, TheParametersAreTheBytesOfTheCommandLineAsTyped)
{
    // What the toolkit would have taken out or re-encoded: its own option, a Latin-1
    // byte, an empty argument; the switch in the same bytes names the host.
    const char* Typed[] = { "./fokalis", "-reverse", "caf\xe9", "", "/serverhandle=caf\xe9", "last" };
    KeepRawCommandLine(6, Typed);
    TkdbDemonClient Demon(nullptr, FMessaging.get());
    EXPECT_EQ(Demon.Params(), (std::vector<std::string> { "./fokalis", "-reverse", "caf\xe9", "", "last" }));
    EXPECT_EQ(GetServerHandleSuffix("", CommandLineParameters()), "caf\xe9");
    std::vector<std::string> Own;
    for (const QString& Argument : QCoreApplication::arguments())
        Own.push_back(Argument.toLocal8Bit().toStdString());
    std::vector<const char*> Restored;
    for (const std::string& Argument : Own)
        Restored.push_back(Argument.c_str());
    KeepRawCommandLine(static_cast<int>(Restored.size()), Restored.data());
}

TEST_F(DemonLife, QuitDuringABlockingSendWaitsForTheSendToReturn)
{
    TTestHost Host(FMessaging.get(), "");
    QPointer<TkdbDemonClient> Client = new TkdbDemonClient(nullptr, FMessaging.get());
    ASSERT_EQ(Client->ServerEntity().Handle, Host.OwnEntity().Handle);
    bool AliveInTheSend = false;
    int Unregistered = 0;
    Host.SetOnGotAMessage([&](TkdbCustomDemon*, TLernixMessageStream& Msg) {
        if (Msg.MsgKind == lmUnregister) {
            ++Unregistered;
            return;
        }
        SendQuit(Host, *Msg.SenderEntity, false);
        // Whatever runs the event queue while the client waits must not end it yet.
        RunDeferredDeletes();
        AliveInTheSend = !Client.isNull();
        TLernixMessageStream Reply(&Host);
        Reply.MsgKind = lmReply;
        Reply.SetStamp(Msg.Stamp());
        Reply.WriteString("answer");
        Host.Transmit(*Msg.SenderEntity, Reply, nullptr);
    });
    EXPECT_EQ(Client->QueryHostString("question"), "answer");
    EXPECT_TRUE(AliveInTheSend);
    ASSERT_FALSE(Client.isNull());
    EXPECT_EQ(Unregistered, 0);
    RunDeferredDeletes();
    EXPECT_TRUE(Client.isNull());
    EXPECT_EQ(Unregistered, 1);
}

TEST_F(DemonLife, HostModeStartUpAndTheQuitHandshake)
{
    TTestHost Host(FMessaging.get(), "");
    const std::string Program = QCoreApplication::applicationFilePath().toLocal8Bit().toStdString();
    Host.Files[DictionaryFileName(Program)] = "[Hello]=Hello from the host|$$\r\n";

    for (const bool ServerDown : { true, false }) {
        SCOPED_TRACE(ServerDown ? "server going down" : "server staying");
        QLabel Owner("TK_Hello");
        QPointer<TkdbDemonClient> Client = new TkdbDemonClient(&Owner, FMessaging.get());
        ASSERT_NO_THROW(Client->Loaded());
        EXPECT_EQ(Owner.text(), "Hello from the host");
        EXPECT_EQ(Client->Translator()->Translate("Hello"), "Hello from the host");
        ASSERT_EQ(Host.Participants.size(), 1u);
        EXPECT_EQ(Host.Participants[0].Handle, Client->OwnEntity().Handle);
        // Registered before the single-copy step took its lock.
        EXPECT_EQ(Host.Participants[0].MutexHandle, 0);
        EXPECT_NE(Client->OwnEntity().MutexHandle, 0);

        SendQuit(Host, Client->OwnEntity(), ServerDown);
        RunDeferredDeletes();
        EXPECT_TRUE(Client.isNull());
        EXPECT_EQ(Host.Participants.size(), ServerDown ? 1u : 0u);
        Host.Participants.clear();
    }
}

TEST_F(DemonLife, StandaloneWithoutADictionaryBesideTakesTheLocalesInstalledOne)
{
    ASSERT_FALSE(QFile::exists(QString::fromLocal8Bit(DictionaryFileName(ApplicationFileName()))));
    const QString Installed = FRuntime.filePath("dictionaries");
    ASSERT_TRUE(QDir().mkdir(Installed));
    QFile German(Installed + "/german.itl");
    ASSERT_TRUE(German.open(QIODevice::WriteOnly));
    German.write("[Hello]=Hallo|$$\r\n");
    German.close();
    qputenv("LC_ALL", "de_DE.UTF-8");
    qunsetenv("LANGUAGE");

    // Without an installed folder there is no dictionary: the keys show without their prefix.
    for (const auto& [Folder, Expected] :
        { std::pair { Installed, "Hallo" }, { FRuntime.filePath("none"), "Hello" } }) {
        qputenv(DictionaryFolderVariable, Folder.toLocal8Bit());
        QLabel Owner("TK_Hello");
        TkdbDemonClient Standalone(&Owner, FMessaging.get());
        Standalone.SetUseVandrelServer(false);
        Standalone.SetMultiStart(true);
        Standalone.Loaded();
        EXPECT_EQ(Owner.text(), Expected);
    }
    qunsetenv(DictionaryFolderVariable);
}

TEST_F(DemonLife, UnusableRuntimeFolderDisablesTheLinkOnlyInStandaloneMode)
{
    const QString Open = FRuntime.filePath("open");
    ASSERT_TRUE(QDir().mkdir(Open));
    ASSERT_TRUE(QFile::setPermissions(Open, QFile::Permissions(0x7777)));
    const QString Link = FRuntime.filePath("link");
    ASSERT_TRUE(QFile::link(FRuntime.path(), Link));
    // Fit in every other way, but no socket path fits under it.
    const QString Long = FRuntime.filePath(QString(100, QChar('l')));
    ASSERT_TRUE(QDir().mkdir(Long));
    ASSERT_TRUE(QFile::setPermissions(Long, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    for (const QString& Folder : { Open, Link, Long }) {
        SCOPED_TRACE(Folder.toStdString());
        qputenv("LERNIX_RUNTIME_DIR", Folder.toLocal8Bit());
        TkdbDemonClient Standalone;
        Standalone.SetUseVandrelServer(false);
        EXPECT_FALSE(Standalone.LinkProblem().empty());
        testing::internal::CaptureStderr();
        EXPECT_NO_THROW(Standalone.Loaded());
        const std::string Said = testing::internal::GetCapturedStderr();
        const std::string Without = "running without host link and single-copy check";
        EXPECT_NE(Said.find(Without), std::string::npos) << Said;
        EXPECT_EQ(Said.find(Without), Said.rfind(Without)) << "said once: " << Said;
        EXPECT_EQ(Standalone.OwnEntity().Handle, 0);
        EXPECT_EQ(Standalone.OwnEntity().MutexHandle, 0);

        TkdbDemonClient Hosted;
        const std::string Refusal = ErrorText<ELernix>([&] { Hosted.Loaded(); });
        EXPECT_EQ(Refusal, "Could not create window handle: " + Hosted.LinkProblem());
        EXPECT_NE(Refusal.find(Folder.toStdString()), std::string::npos) << Refusal;
    }
}

TEST_F(DemonLife, OneRunningCopyThatAKilledCopyDoesNotBlock)
{
    QProcess First, Second, Third;
    const std::string Ready = StartClient(First, { "/serverhandle=5", "/ServerHandle=5", "x" });
    ASSERT_TRUE(Ready.starts_with("ready ")) << Ready;
    EXPECT_NE(Ready.substr(Ready.rfind(' ')), " 0");
    EXPECT_EQ(NextLine(First), "params /ServerHandle=5|x");

    EXPECT_EQ(StartClient(Second, { "y" }), "second copy");
    ASSERT_TRUE(Second.waitForFinished(20000));
    EXPECT_EQ(Second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(Second.exitCode(), 0);
    EXPECT_EQ(First.state(), QProcess::Running);
    // Without a host the second copy finds the first by the window named like the lock.
    EXPECT_EQ(NextLine(First), "params y");
    // A copy that may run beside others takes no lock.
    QProcess Beside;
    const std::string BesideReady = StartClient(Beside, { "--multistart" });
    EXPECT_TRUE(BesideReady.starts_with("ready ") && BesideReady.ends_with(" 0")) << BesideReady;
    Beside.closeWriteChannel();
    EXPECT_TRUE(Beside.waitForFinished(20000));

    ::kill(static_cast<pid_t>(First.processId()), SIGKILL);
    ASSERT_TRUE(First.waitForFinished(20000));
    EXPECT_TRUE(StartClient(Third, {}).starts_with("ready ")) << "a new start after a killed first copy";
    Third.closeWriteChannel();
    EXPECT_TRUE(Third.waitForFinished(20000));
}

TEST_F(DemonLife, SecondCopyPassesItsParametersThroughTheHost)
{
    QProcess Host, First, Second;
    ASSERT_NE(StartPeer(Host, ""), 0);
    ASSERT_TRUE(StartClient(First, { "--host", "a" }).starts_with("ready "));
    EXPECT_EQ(NextLine(First), "params --host|a");

    EXPECT_EQ(StartClient(Second, { "--host", "b", "c d" }), "second copy");
    ASSERT_TRUE(Second.waitForFinished(20000));
    EXPECT_EQ(Second.exitCode(), 0);
    EXPECT_EQ(NextLine(First), "params --host|b|c d");
    First.closeWriteChannel();
    EXPECT_TRUE(First.waitForFinished(20000));
}
