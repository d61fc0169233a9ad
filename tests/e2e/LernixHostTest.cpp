#include "HostDiscovery.h"
#include "MessageFrame.h"
#include "MessageKinds.h"
#include "MessageStamp.h"
#include "ProcessFixture.h"
#include "Registry.h"
#include "StreamEncoding.h"
#include "TLernixMessageStream.h"
#include "TPrivateRuntimeFolder.h"
#include "TWindowMessaging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int WaitMs = 10000;

std::unique_ptr<TLernixMessageStream> Message(std::int32_t Kind)
{
    auto Msg = std::make_unique<TLernixMessageStream>();
    Msg->MsgKind = Kind;
    return Msg;
}

std::unique_ptr<TLernixMessageStream> StringMessage(std::int32_t Kind, const std::string& Text)
{
    auto Msg = Message(Kind);
    WriteStreamString(*Msg, Text);
    return Msg;
}

std::string Rest(TLernixMessageStream& Msg)
{
    std::string Bytes(static_cast<std::size_t>(Msg.Remaining()), '\0');
    Msg.ReadBuffer(Bytes.data(), Bytes.size());
    return Bytes;
}

// A participant's window in the test process that speaks raw frames.
class TProbe {
public:
    explicit TProbe(platform::TWindowMessaging& Messaging)
        : FMessaging(Messaging)
    {
        Handle = Messaging.CreateHiddenWindow(
            "LernixProbeClass", "", [this](const platform::TCopyDataFrame& Frame) {
                Received.push_back(
                    DecodeFrame(Frame.Kind, Frame.Sender, Frame.Data.data(), Frame.Data.size(), nullptr));
            });
    }
    ~TProbe() { Close(); }
    void Close() { FMessaging.DestroyHiddenWindow(std::exchange(Handle, 0)); }

    // Sends Msg to Target, stamped now; gives the reply with its stamp, or none.
    // A host answers at most once, and only while it handles the request.
    std::unique_ptr<TLernixMessageStream> Ask(TWindowHandle Target, TLernixMessageStream& Msg)
    {
        Received.clear();
        EXPECT_TRUE(Tell(Target, Msg));
        std::unique_ptr<TLernixMessageStream> Reply;
        for (auto& Frame : Received) {
            EXPECT_EQ(Frame->MsgKind, lmReply);
            EXPECT_EQ(Frame->Stamp(), Msg.Stamp());
            EXPECT_FALSE(Reply) << "a second reply";
            Reply = std::move(Frame);
        }
        Received.clear();
        return Reply;
    }
    bool Tell(TWindowHandle Target, TLernixMessageStream& Msg)
    {
        Msg.SetStamp(StampNow());
        return FMessaging.SendCopyData(Target, Handle, Msg.MsgKind, EncodeFrameData(Msg));
    }
    // Registers (or unregisters) this window with Title.
    void Announce(TWindowHandle Target, std::int32_t Kind, const std::string& Title)
    {
        TEntity Own;
        Own.Handle = Handle;
        Own.MutexHandle = 7;
        Own.ExeName = "/opt/probe";
        Own.Title = Title;
        auto Msg = Message(Kind);
        Own.WriteTo(*Msg);
        EXPECT_TRUE(Ask(Target, *Msg) == nullptr) << "no answer to a registration";
    }

    TWindowHandle Handle = 0;
    std::deque<std::unique_ptr<TLernixMessageStream>> Received;

private:
    platform::TWindowMessaging& FMessaging;
};

class LernixHost : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FTemp.isValid());
        ASSERT_TRUE(QDir(FTemp.path()).mkpath("registry"));
        ASSERT_TRUE(QDir(FTemp.path()).mkpath("book/sub"));
        qputenv("LERNIX_REGISTRY_DIR", QByteArray::fromStdString(Path("registry")));
        FMessaging = platform::CreatePosixWindowMessaging();
    }

    void TearDown() override
    {
        if (FHost.state() != QProcess::NotRunning) {
            FHost.kill();
            FHost.waitForFinished();
        }
    }

    std::string Path(const std::string& Name) const
    {
        return FTemp.filePath(QString::fromStdString(Name)).toStdString();
    }

    void Write(const std::string& Name, const std::string& Bytes) const
    {
        QFile File(QString::fromStdString(Path(Name)));
        ASSERT_TRUE(File.open(QIODevice::WriteOnly));
        File.write(Bytes.data(), static_cast<qint64>(Bytes.size()));
    }

    // Runs lernix-host with Arguments to its end; gives its exit status.
    int RunToEnd(const QStringList& Arguments)
    {
        FHost.start(QStringLiteral(LERNIX_HOST), Arguments);
        EXPECT_TRUE(FHost.waitForFinished(WaitMs));
        return FHost.exitStatus() == QProcess::NormalExit ? FHost.exitCode() : -1;
    }

    // Starts lernix-host with the suffix "e2e" and Arguments; gives its window once it is up.
    TWindowHandle Start(QStringList Arguments = {})
    {
        Arguments.prepend(QStringLiteral("--suffix=e2e"));
        FHost.start(QStringLiteral(LERNIX_HOST), Arguments);
        TWindowHandle Window = 0;
        WaitUntil([&] {
            Window = FindServerWindow(*FMessaging, "e2e");
            return Window != 0 || FHost.state() == QProcess::NotRunning;
        });
        return Window;
    }

    // Sends Signal to the host and waits for its end; gives its exit status.
    int Stop(int Signal)
    {
        ::kill(static_cast<pid_t>(FHost.processId()), Signal);
        // The host may send lmQuit to our windows on the way out.
        EXPECT_TRUE(WaitUntil([&] { return FHost.state() == QProcess::NotRunning; }));
        return FHost.exitStatus() == QProcess::NormalExit ? FHost.exitCode() : -1;
    }

    std::string Log() { return FHost.readAllStandardError().toStdString(); }

    QTemporaryDir FTemp;
    TPrivateRuntimeFolder FRuntime;
    std::unique_ptr<platform::TWindowMessaging> FMessaging;
    QProcess FHost;
};

TEST_F(LernixHost, BadCommandLinesEndWithStatusTwo)
{
    Write("bad.values", "good=1\nno equals sign\n");
    const std::vector<QStringList> Bad { { "--bogus" }, {}, { "--suffix" }, { "--suffix=", "--publish" },
        { "--suffix=x", "--files", QString::fromStdString(Path("missing")) },
        { "--suffix=x", "--values", QString::fromStdString(Path("bad.values")) }, { "--suffix=x", "--" } };
    for (const QStringList& Arguments : Bad) {
        EXPECT_EQ(RunToEnd(Arguments), 2) << Arguments.join(' ').toStdString();
        EXPECT_NE(Log().find("--help"), std::string::npos);
    }
    EXPECT_EQ(RunToEnd({ "--suffix=x", "--values", QString::fromStdString(Path("bad.values")) }), 2);
    EXPECT_NE(Log().find("bad.values:2:"), std::string::npos);

    EXPECT_EQ(RunToEnd({ "--help" }), 0);
    EXPECT_NE(FHost.readAllStandardOutput().indexOf("--suffix TEXT"), -1);
    EXPECT_EQ(RunToEnd({ "--version" }), 0);
    EXPECT_TRUE(FHost.readAllStandardOutput().startsWith("lernix-host 1."));
}

TEST_F(LernixHost, ServesTheFilesOfOneFolderOnly)
{
    Write("book/fokalis.itl", "dictionary");
    Write("book/sub/a.txt", "a");
    Write("book/empty", "");
    Write("secret", "outside");
    ASSERT_EQ(::symlink(Path("secret").c_str(), Path("book/out").c_str()), 0);
    ASSERT_EQ(::symlink("../secret", Path("book/up").c_str()), 0);
    ASSERT_EQ(::symlink("sub/a.txt", Path("book/in").c_str()), 0);
    ASSERT_EQ(::symlink(FTemp.path().toLocal8Bit().constData(), Path("book/tree").c_str()), 0);
    ASSERT_EQ(::mkfifo(Path("book/pipe").c_str(), 0600), 0);
    const TWindowHandle Host = Start({ "--files", QString::fromStdString(Path("book")) });
    ASSERT_NE(Host, 0);
    TProbe Probe(*FMessaging);

    struct TCase {
        std::string Name;
        std::optional<std::string> Bytes;
    };
    const std::vector<TCase> Files { { "fokalis.itl", "dictionary" }, { "./sub//a.txt", "a" }, { "in", "a" },
        { "empty", "" }, { "missing", std::nullopt }, { "sub", std::nullopt }, { "pipe", std::nullopt },
        { "../secret", std::nullopt }, { "sub/../fokalis.itl", std::nullopt },
        { Path("book/fokalis.itl"), std::nullopt }, { "out", std::nullopt }, { "up", std::nullopt },
        { "tree/secret", std::nullopt }, { std::string("fokalis.itl\0/../../secret", 25), std::nullopt },
        { "", std::nullopt } };
    for (const TCase& Case : Files) {
        const auto Request = StringMessage(lmGetFile, Case.Name);
        const auto Reply = Probe.Ask(Host, *Request);
        ASSERT_TRUE(Reply) << Case.Name;
        EXPECT_EQ(ReadStreamBoolean(*Reply), Case.Bytes.has_value()) << Case.Name;
        EXPECT_EQ(Rest(*Reply), Case.Bytes.value_or("")) << Case.Name;
    }

    const std::vector<std::pair<std::string, std::string>> Names { { "/usr/bin/fokalis", "fokalis" },
        { "./sub//a.txt", "sub/a.txt" }, { "not/there", "not/there" }, { "../secret", "" }, { "out", "" },
        { "tree/x", "" }, { "/", "" } };
    for (const auto& [Name, Resolved] : Names) {
        const auto Request = StringMessage(lmResolveName, Name);
        const auto Reply = Probe.Ask(Host, *Request);
        ASSERT_TRUE(Reply) << Name;
        EXPECT_EQ(Reply->ReadString(), Resolved) << Name;
    }
}

TEST_F(LernixHost, AnswersValuesAndLogsEveryFrame)
{
    Write("values",
        "# comment\r\nHomePageURL=https://example.org/\r\n\nequation=a=b\nempty=\nHomePageURL=later\n");
    const TWindowHandle Host = Start({ "--values", QString::fromStdString(Path("values")), "--verbose" });
    ASSERT_NE(Host, 0);
    TProbe Probe(*FMessaging);
    const std::vector<std::pair<std::string, std::string>> Values { { "HomePageURL", "later" },
        { "equation", "a=b" }, { "empty", "" }, { "unknown", "" }, { "homepageurl", "" },
        { "# comment", "" } };
    for (const std::int32_t Kind : { lmGetValue, lmQueryString })
        for (const auto& [Key, Value] : Values) {
            const auto Request = StringMessage(Kind, Key);
            const auto Reply = Probe.Ask(Host, *Request);
            ASSERT_TRUE(Reply) << Key;
            EXPECT_EQ(Reply->ReadString(), Value) << Key;
        }
    // Without a folder nothing is served.
    const auto Request = StringMessage(lmGetFile, "values");
    const auto Reply = Probe.Ask(Host, *Request);
    ASSERT_TRUE(Reply);
    EXPECT_FALSE(ReadStreamBoolean(*Reply));

    EXPECT_EQ(Stop(SIGINT), 0);
    const std::string Log = this->Log();
    EXPECT_NE(Log.find("lmGetValue from window " + std::to_string(Probe.Handle)), std::string::npos);
    EXPECT_NE(Log.find("\"equation\" -> \"a=b\""), std::string::npos);
    EXPECT_NE(Log.find("lmGetFile"), std::string::npos);
}

TEST_F(LernixHost, KeepsTheParticipantsThatRegister)
{
    const TWindowHandle Host = Start();
    ASSERT_NE(Host, 0);
    TProbe First(*FMessaging), Second(*FMessaging), Asker(*FMessaging);
    First.Announce(Host, lmRegister, "Demo");
    Second.Announce(Host, lmRegister, "Demo");
    Second.Announce(Host, lmRegister, "Demo");

    const auto Query
        = [&](TProbe& From, std::uint8_t Selector, const std::function<void(TMemoryStream&)>& Key) {
              auto Msg = Message(lmQueryEntity);
              WriteStreamByte(*Msg, Selector);
              Key(*Msg);
              auto Reply = From.Ask(Host, *Msg);
              EXPECT_TRUE(Reply);
              if (!Reply || Reply->Size() == 0)
                  return TWindowHandle { 0 };
              TEntity Found;
              Found.ReadFrom(*Reply);
              EXPECT_EQ(Reply->Remaining(), 0);
              EXPECT_EQ(Found.MutexHandle, 7);
              EXPECT_EQ(Found.ExeName, "/opt/probe");
              EXPECT_EQ(Found.Title, "Demo");
              return Found.Handle;
          };
    const auto ByHandle = [&](TProbe& From, TWindowHandle Handle) {
        return Query(From, QueryEntityByHandle, [&](TMemoryStream& S) { WriteStreamInteger(S, Handle); });
    };
    const auto ByTitle = [&](TProbe& From, const std::string& Title) {
        return Query(From, QueryEntityByTitle, [&](TMemoryStream& S) { WriteStreamString(S, Title); });
    };

    EXPECT_EQ(ByHandle(Asker, First.Handle), First.Handle);
    EXPECT_EQ(ByHandle(Asker, Second.Handle), Second.Handle);
    EXPECT_EQ(ByHandle(Asker, Asker.Handle), 0);
    // A second copy asks for its own title and must get the first, and the first the second.
    EXPECT_EQ(ByTitle(Asker, "Demo"), First.Handle);
    EXPECT_EQ(ByTitle(Second, "Demo"), First.Handle);
    EXPECT_EQ(ByTitle(First, "Demo"), Second.Handle);
    EXPECT_EQ(ByTitle(Asker, "demo"), 0);
    EXPECT_EQ(Query(Asker, 3, [](TMemoryStream&) {}), 0);

    // Nobody registers or unregisters a window other than its own.
    TEntity Foreign;
    Foreign.Handle = First.Handle;
    Foreign.Title = "Other";
    auto Forged = Message(lmUnregister);
    Foreign.WriteTo(*Forged);
    EXPECT_FALSE(Asker.Ask(Host, *Forged));
    EXPECT_EQ(ByHandle(Asker, First.Handle), First.Handle);

    First.Announce(Host, lmUnregister, "Demo");
    EXPECT_EQ(ByHandle(Asker, First.Handle), 0);
    EXPECT_EQ(ByTitle(Asker, "Demo"), Second.Handle);
    // A participant that vanishes without a word is forgotten.
    Second.Close();
    EXPECT_EQ(ByTitle(Asker, "Demo"), 0);
}

TEST_F(LernixHost, ForgetsVanishedParticipantsAndRefusesOversizedRecords)
{
    const TWindowHandle Host = Start({ "--verbose" });
    ASSERT_NE(Host, 0);
    TProbe Stays(*FMessaging), Newcomer(*FMessaging), Huge(*FMessaging);
    Stays.Announce(Host, lmRegister, "Demo");
    for (int I = 0; I < 3; ++I) {
        TProbe Vanishes(*FMessaging);
        Vanishes.Announce(Host, lmRegister, "Gone");
    }
    Newcomer.Announce(Host, lmRegister, "Demo");
    Huge.Announce(Host, lmRegister, std::string(4097, 'T'));
    auto Query = Message(lmQueryEntity);
    WriteStreamByte(*Query, QueryEntityByHandle);
    WriteStreamInteger(*Query, Huge.Handle);
    const auto Reply = Huge.Ask(Host, *Query);
    ASSERT_TRUE(Reply);
    EXPECT_EQ(Reply->Size(), 0) << "the oversized record was kept";
    EXPECT_EQ(Stop(SIGTERM), 0);
    const std::string Text = Log();
    EXPECT_NE(Text.find("Demo\"; registered, 2 participants"), std::string::npos) << Text;
    EXPECT_NE(Text.find("refused: its title has 4097 bytes, more than 4096"), std::string::npos) << Text;
}

TEST_F(LernixHost, StartsProgramsAndAnswersTheirProcessId)
{
    const std::string Arguments = Path("arguments");
    const TWindowHandle Host = Start({ "--", "/bin/sh", "-c", "printf '%s\\n' \"$@\" > \"$0\"",
        QString::fromStdString(Arguments), "first argument" });
    ASSERT_NE(Host, 0);
    ASSERT_TRUE(WaitUntil([&] { return QFile(QString::fromStdString(Arguments)).size() > 0; }));
    QFile Started(QString::fromStdString(Arguments));
    ASSERT_TRUE(Started.open(QIODevice::ReadOnly));
    EXPECT_EQ(Started.readAll().toStdString(), "first argument\n/serverhandle=e2e\n");

    TProbe Probe(*FMessaging);
    const auto Execute = [&](const std::string& Program, const std::string& Parameters) {
        auto Msg = StringMessage(lmExecute, Program);
        WriteStreamString(*Msg, Parameters);
        WriteStreamBoolean(*Msg, true);
        WriteStreamInteger(*Msg, 5);
        const auto Reply = Probe.Ask(Host, *Msg);
        EXPECT_TRUE(Reply);
        return Reply ? ReadStreamInteger(*Reply) : -1;
    };
    const std::string PidFile = Path("pid");
    const std::int32_t Pid = Execute("sh", "-c \"echo $$ > '" + PidFile + "'\"");
    EXPECT_GT(Pid, 0);
    ASSERT_TRUE(WaitUntil([&] { return QFile(QString::fromStdString(PidFile)).size() > 0; }));
    QFile Written(QString::fromStdString(PidFile));
    ASSERT_TRUE(Written.open(QIODevice::ReadOnly));
    EXPECT_EQ(Written.readAll().trimmed().toInt(), Pid);

    EXPECT_EQ(Execute(Path("no such program"), ""), 0);
    EXPECT_EQ(Execute("", ""), 0);
}

TEST_F(LernixHost, StopSignalsSendQuitToEveryParticipant)
{
    const TWindowHandle Host = Start({ "--publish" });
    ASSERT_NE(Host, 0);
    EXPECT_EQ(platform::ReadLocalMachineString(DemonRegistryKey, ViewerHandleValue), "e2e");
    TProbe Participant(*FMessaging), Quiet(*FMessaging);
    Participant.Announce(Host, lmRegister, "Demo");
    Quiet.Announce(Host, lmRegister, "Quiet");
    Quiet.Announce(Host, lmUnregister, "Quiet");
    const auto QuitReceived = [&](bool ServerDown) {
        EXPECT_TRUE(WaitUntil([&] { return !Participant.Received.empty(); }));
        if (Participant.Received.empty())
            return;
        auto& Quit = *Participant.Received.front();
        EXPECT_EQ(Quit.MsgKind, lmQuit);
        EXPECT_EQ(Quit.SenderEntity->Handle, Host);
        EXPECT_EQ(Rest(Quit), std::string(1, ServerDown ? '\1' : '\0'));
        Participant.Received.clear();
    };

    ::kill(static_cast<pid_t>(FHost.processId()), SIGUSR1);
    QuitReceived(false);
    EXPECT_EQ(FHost.state(), QProcess::Running);

    EXPECT_EQ(Stop(SIGTERM), 0);
    QuitReceived(true);
    EXPECT_TRUE(Quiet.Received.empty());
    EXPECT_EQ(platform::ReadLocalMachineString(DemonRegistryKey, ViewerHandleValue), "");
    EXPECT_EQ(FindServerWindow(*FMessaging, "e2e"), 0);
}

TEST_F(LernixHost, PublishingLeavesTheStoreAsItWasHoweverTheHostEnds)
{
    const std::string Store = Path("registry/Orvik/vandrel.conf");
    const auto StoreBytes = [&] {
        QFile File(QString::fromStdString(Store));
        return File.open(QIODevice::ReadOnly) ? File.readAll().toStdString() : std::string("(none)");
    };
    // Stopped in order, with no store before: no empty file is left.
    ASSERT_NE(Start({ "--publish" }), 0);
    EXPECT_EQ(Stop(SIGTERM), 0);
    EXPECT_EQ(StoreBytes(), "(none)");

    // A second stop signal ends the host at once; the earlier value still comes back.
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Path("registry/Orvik"))));
    const std::string Earlier = "[demon]\nViewerHandle=earlier\n\n[other]\nkept=1\n";
    Write("registry/Orvik/vandrel.conf", Earlier);
    ASSERT_NE(Start({ "--publish" }), 0);
    EXPECT_EQ(platform::ReadLocalMachineString(DemonRegistryKey, ViewerHandleValue), "e2e");
    // Two different stop signals, so that both are pending when it goes on.
    ::kill(static_cast<pid_t>(FHost.processId()), SIGSTOP);
    ::kill(static_cast<pid_t>(FHost.processId()), SIGINT);
    ::kill(static_cast<pid_t>(FHost.processId()), SIGTERM);
    EXPECT_EQ(Stop(SIGCONT), -1) << "the second stop signal did not end the host at once";
    EXPECT_EQ(StoreBytes(), Earlier);

    // A link in the store's place is neither followed nor replaced.
    Write("victim", "untouched");
    ASSERT_TRUE(QFile::remove(QString::fromStdString(Store)));
    ASSERT_TRUE(QFile::link(QString::fromStdString(Path("victim")), QString::fromStdString(Store)));
    EXPECT_EQ(RunToEnd({ "--suffix=e2e", "--publish" }), 1);
    QFile Victim(QString::fromStdString(Path("victim")));
    ASSERT_TRUE(Victim.open(QIODevice::ReadOnly));
    EXPECT_EQ(Victim.readAll().toStdString(), "untouched");
}

TEST_F(LernixHost, HostilePeersDoNotBreakIt)
{
    const TWindowHandle Host = Start();
    ASSERT_NE(Host, 0);
    TProbe Probe(*FMessaging);
    // Garbage straight onto the host's socket, and a header that promises too much.
    char Socket[32];
    std::snprintf(Socket, sizeof Socket, "/w%08x.sock", static_cast<unsigned>(Host));
    for (const std::string& Junk : { std::string("garbage that is not a frame"),
             std::string("LXCD\x06\x10\0\0\x01\0\0\0\xff\xff\xff\x7f", 16) }) {
        const int Fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un Address {};
        Address.sun_family = AF_UNIX;
        std::snprintf(Address.sun_path, sizeof Address.sun_path, "%s%s", FRuntime.Path().c_str(), Socket);
        ASSERT_EQ(::connect(Fd, reinterpret_cast<sockaddr*>(&Address), sizeof Address), 0);
        EXPECT_EQ(::write(Fd, Junk.data(), Junk.size()), static_cast<ssize_t>(Junk.size()));
        ::close(Fd);
    }
    // Frames too short for a stamp, a negative sender, and every kind with no payload.
    EXPECT_TRUE(FMessaging->SendCopyData(Host, Probe.Handle, lmGetValue, std::vector<std::uint8_t>(7)));
    EXPECT_TRUE(FMessaging->SendCopyData(Host, -5, lmGetValue, std::vector<std::uint8_t>(12)));
    for (std::int32_t Kind = lmQuit - 1; Kind <= lmGetValue + 1; ++Kind) {
        auto Empty = Message(Kind);
        EXPECT_FALSE(Probe.Ask(Host, *Empty)) << Kind;
    }
    // A string longer than the payload, and a request that claims to come from the host itself.
    auto Long = Message(lmGetValue);
    WriteStreamInteger(*Long, 1 << 30);
    EXPECT_FALSE(Probe.Ask(Host, *Long));
    auto Spoofed = StringMessage(lmGetValue, "k");
    Spoofed->SetStamp(StampNow());
    EXPECT_TRUE(FMessaging->SendCopyData(Host, Host, lmGetValue, EncodeFrameData(*Spoofed)));

    auto Fine = StringMessage(lmGetValue, "k");
    const auto Reply = Probe.Ask(Host, *Fine);
    ASSERT_TRUE(Reply);
    EXPECT_EQ(Reply->ReadString(), "");
    EXPECT_EQ(Stop(SIGTERM), 0);
    EXPECT_NE(Log().find("too few"), std::string::npos);
}

} // namespace
