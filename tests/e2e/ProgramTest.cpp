#include "HostDiscovery.h"
#include "MessageFrame.h"
#include "MessageKinds.h"
#include "MessageStamp.h"
#include "ProcessFixture.h"
#include "StreamEncoding.h"
#include "TLernixMessageStream.h"
#include "TWindowMessaging.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <memory>
#include <string>
#include <vector>

namespace {

// The program itself, started with the paint probe that tells its window's texts once the
// window has painted.
class Program : public ProcessFixture {
protected:
    // Starts ProgramFile with Arguments; gives the probe's lines (the title, then every
    // text) once the first window has painted, none when the program ended first.
    static std::vector<std::string> Start(
        QProcess& Process, const QStringList& Arguments = {}, const QString& ProgramFile = FOKALIS)
    {
        QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
        Environment.insert("LD_PRELOAD", FOKALIS_PAINT_PROBE);
        Environment.insert("FOKALIS_PAINT_PROBE", "texts");
        Process.setProcessEnvironment(Environment);
        Process.start(ProgramFile, Arguments);
        std::vector<std::string> Lines;
        WaitUntil([&] {
            while (Process.canReadLine())
                Lines.push_back(Process.readLine().trimmed().toStdString());
            return (!Lines.empty() && Lines.back() == "end") || Process.state() == QProcess::NotRunning;
        });
        if (Lines.empty() || Lines.back() != "end")
            Lines.clear();
        return Lines;
    }

    // Waits for the end of Process; gives its exit status, -1 when it crashed or did not end.
    static int Ended(QProcess& Process)
    {
        if (!WaitUntil([&] { return Process.state() == QProcess::NotRunning; }))
            return -1;
        return Process.exitStatus() == QProcess::NormalExit ? Process.exitCode() : -1;
    }

    static void Kill(QProcess& Process)
    {
        Process.kill();
        Process.waitForFinished();
    }
};

bool Has(const std::vector<std::string>& Lines, const std::string& Line)
{
    return std::find(Lines.begin(), Lines.end(), Line) != Lines.end();
}

TEST_F(Program, WindowTextsComeFromTheDictionaryBesideTheProgram)
{
    QProcess English;
    const std::vector<std::string> Texts = Start(English);
    ASSERT_FALSE(Texts.empty()) << English.readAllStandardError().toStdString();
    EXPECT_EQ(Texts[1], "title Fokalis - Thin Lens");
    EXPECT_TRUE(Has(Texts, "text Exit"));
    EXPECT_TRUE(Has(Texts, "text Type of Lens"));
    for (const std::string& Line : Texts)
        EXPECT_EQ(Line.find("TK_"), std::string::npos) << Line;
    Kill(English);

    // A copy of the program elsewhere reads the dictionary beside itself.
    ASSERT_TRUE(QDir(FTemp.path()).mkpath("german"));
    ASSERT_TRUE(QFile::copy(FOKALIS, QPath("german/fokalis")));
    ASSERT_TRUE(QFile::setPermissions(QPath("german/fokalis"), QFile::ReadOwner | QFile::ExeOwner));
    ASSERT_TRUE(QFile::copy(GERMAN_DICTIONARY, QPath("german/fokalis.itl")));
    QProcess German;
    const std::vector<std::string> Deutsch = Start(German, {}, QPath("german/fokalis"));
    ASSERT_FALSE(Deutsch.empty()) << German.readAllStandardError().toStdString();
    EXPECT_EQ(Deutsch[1], "title Fokalis - Dünne Linse");
    EXPECT_TRUE(Has(Deutsch, "text Beenden"));
    EXPECT_TRUE(Has(Deutsch, "text Linsenart"));
    Kill(German);
}

TEST_F(Program, OneCopyRunsAndAKilledOneDoesNotBlockTheNext)
{
    QProcess First, Second, Third, Fourth;
    ASSERT_FALSE(Start(First).empty());
    // The second copy ends in order before it shows a window, and says why.
    EXPECT_TRUE(Start(Second, { "a parameter" }).empty());
    EXPECT_EQ(Ended(Second), 0);
    EXPECT_EQ(Second.readAllStandardError().toStdString(), "Fokalis is already running\n");
    EXPECT_EQ(First.state(), QProcess::Running);

    ::kill(static_cast<pid_t>(First.processId()), SIGKILL);
    ASSERT_EQ(Ended(First), -1);
    ASSERT_FALSE(Start(Third).empty()) << "a new start after a killed first copy is the first copy";
    EXPECT_TRUE(Start(Fourth).empty());
    EXPECT_EQ(Ended(Fourth), 0);
    EXPECT_EQ(Third.state(), QProcess::Running);
    Kill(Third);
}

TEST_F(Program, TwentyCopiesStartedAtOnceLeaveExactlyOne)
{
    std::vector<std::unique_ptr<QProcess>> Copies;
    for (int I = 0; I < 20; ++I) {
        Copies.push_back(std::make_unique<QProcess>());
        Copies.back()->start(FOKALIS, QStringList());
    }
    const auto Running = [&] {
        return std::count_if(Copies.begin(), Copies.end(),
            [](const auto& Copy) { return Copy->state() != QProcess::NotRunning; });
    };
    EXPECT_TRUE(WaitUntil([&] { return Running() <= 1; }));
    // The survivor stays.
    QElapsedTimer Stayed;
    Stayed.start();
    WaitUntil([&] { return Stayed.elapsed() > 500; });
    EXPECT_EQ(Running(), 1);
    for (const auto& Copy : Copies) {
        if (Copy->state() == QProcess::NotRunning) {
            EXPECT_EQ(Copy->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(Copy->exitCode(), 0) << Copy->readAllStandardError().toStdString();
        } else {
            Kill(*Copy);
        }
    }
}

// The test plays the host: the program, standalone, finds its window through the switch
// and tells it when it leaves.
TEST_F(Program, QuitFromTheHostEndsTheProgramAndUnregistersUnlessTheHostGoesDown)
{
    const auto Messaging = platform::CreatePosixWindowMessaging();
    std::vector<platform::TCopyDataFrame> Received;
    const TWindowHandle Host = Messaging->CreateHiddenWindow(std::string(ServerWindowClassName) + "e2e",
        std::string(ServerWindowName) + "e2e",
        [&Received](const platform::TCopyDataFrame& Frame) { Received.push_back(Frame); });

    for (const bool ServerDown : { false, true }) {
        SCOPED_TRACE(ServerDown ? "server going down" : "server staying");
        Received.clear();
        QProcess Participant;
        ASSERT_FALSE(Start(Participant, { "/serverhandle=e2e" }).empty());
        const TWindowHandle Window = Messaging->FindWindow("ThisIsTheLernixClientComponentWindowClass", "");
        ASSERT_NE(Window, 0);
        TLernixMessageStream Quit;
        Quit.MsgKind = lmQuit;
        WriteStreamBoolean(Quit, ServerDown);
        Quit.SetStamp(StampNow());
        ASSERT_TRUE(Messaging->SendCopyData(Window, Host, lmQuit, EncodeFrameData(Quit)));
        EXPECT_EQ(Ended(Participant), 0);
        // A standalone program sends nothing else to a host it found.
        ASSERT_EQ(Received.size(), ServerDown ? 0U : 1U);
        if (!ServerDown) {
            EXPECT_EQ(Received[0].Kind, lmUnregister);
            EXPECT_EQ(Received[0].Sender, Window);
        }
    }
}

// Host mode, which the program itself does not use, through a participant with the same
// component against the reference host.
TEST_F(Program, HostModeParticipantWithTheReferenceHost)
{
    const QStringList HostMode { "--host", "/serverhandle=e2e" };
    const TRunResult Alone = Run(HOSTLINK_CLIENT_PEER, HostMode);
    EXPECT_EQ(Alone.Status, 1);
    EXPECT_NE(Alone.Err.find("Lernix server application is not running\n"), std::string::npos) << Alone.Err;

    Write("book/hostlink_client_peer.itl", "[Hello]=Hallo|$$\r\n");
    ASSERT_NE(StartHost("e2e", { "--files", QPath("book"), "--verbose" }), 0);
    QProcess First;
    First.start(HOSTLINK_CLIENT_PEER, HostMode + QStringList { "a" });
    ASSERT_TRUE(WaitUntil([&] { return First.canReadLine() || First.state() == QProcess::NotRunning; }));
    const QStringList Ready = QString::fromUtf8(First.readLine()).trimmed().split(' ');
    ASSERT_EQ(Ready.value(0), "ready");
    EXPECT_TRUE(WaitUntil([&] {
        return HostLog().find("\"hostlink_client_peer.itl\" -> found, 18 bytes") != std::string::npos;
    }));

    const TRunResult Second = Run(HOSTLINK_CLIENT_PEER, HostMode + QStringList { "b", "c d" });
    EXPECT_EQ(Second.Status, 0);
    EXPECT_EQ(Second.Out, "second copy\n");
    std::string Params;
    EXPECT_TRUE(WaitUntil([&] {
        Params += First.readAllStandardOutput().toStdString();
        return Params.find("params --host|b|c d\n") != std::string::npos;
    })) << Params;

    ::kill(static_cast<pid_t>(FHost.processId()), SIGUSR1);
    EXPECT_EQ(Ended(First), 0);
    EXPECT_TRUE(WaitUntil([&] {
        return HostLog().find("lmUnregister from window " + Ready.value(1).toStdString())
            != std::string::npos;
    })) << HostLog();
}

// What the program answers without a display: usage and version at once, and one line
// instead of Qt's abort when it needs a window.
TEST_F(Program, CommandLineWithoutADisplay)
{
    QProcessEnvironment Environment = QProcessEnvironment::systemEnvironment();
    for (const char* Name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        Environment.remove(Name);
    const auto RunWith = [&](const QStringList& Arguments, const QProcessEnvironment& With) {
        QProcess Process;
        Process.setProcessEnvironment(With);
        Process.start(FOKALIS, Arguments);
        const int Status = Ended(Process);
        return TRunResult { Status, Process.readAllStandardOutput().toStdString(),
            Process.readAllStandardError().toStdString() };
    };

    const TRunResult Help = RunWith({ "a", "--help" }, Environment);
    EXPECT_EQ(Help.Status, 0);
    EXPECT_TRUE(Help.Out.starts_with("Usage: fokalis [--host]")) << Help.Out;
    EXPECT_EQ(Help.Err, "");
    const TRunResult Version = RunWith({ "--version" }, Environment);
    EXPECT_EQ(Version.Status, 0);
    EXPECT_EQ(Version.Out, "Fokalis 1.2\n");

    const TRunResult Unset = RunWith({}, Environment);
    EXPECT_EQ(Unset.Status, 1);
    EXPECT_EQ(Unset.Err,
        "fokalis: no display could be opened (DISPLAY is not set); without a screen, start it under Xvfb: "
        "xvfb-run -a fokalis\n");
    Environment.insert("DISPLAY", ":4711");
    const TRunResult Absent = RunWith({}, Environment);
    EXPECT_EQ(Absent.Status, 1);
    EXPECT_EQ(std::count(Absent.Err.begin(), Absent.Err.end(), '\n'), 1) << Absent.Err;
    EXPECT_NE(Absent.Err.find("no display could be opened \":4711\""), std::string::npos) << Absent.Err;
}

// A dictionary beside the program that cannot serve is named on standard error, and the
// locale's installed one takes its place: the user sees texts, never keys.
TEST_F(Program, AnUnusableDictionaryBesideIsNamedAndTheLocalesOneTakesItsPlace)
{
    ASSERT_TRUE(QDir(FTemp.path()).mkpath("broken"));
    ASSERT_TRUE(QFile::copy(FOKALIS, QPath("broken/fokalis")));
    ASSERT_TRUE(QFile::setPermissions(QPath("broken/fokalis"), QFile::ReadOwner | QFile::ExeOwner));
    Write("broken/fokalis.itl", "");
    qputenv("FOKALIS_DICTIONARY_DIR", QFileInfo(GERMAN_DICTIONARY).path().toLocal8Bit());
    qputenv("LC_ALL", "de_DE.UTF-8");
    QProcess Broken;
    const std::vector<std::string> Texts = Start(Broken, {}, QPath("broken/fokalis"));
    qunsetenv("FOKALIS_DICTIONARY_DIR");
    qunsetenv("LC_ALL");
    ASSERT_FALSE(Texts.empty());
    EXPECT_TRUE(Has(Texts, "text Beenden"));
    EXPECT_EQ(Broken.readAllStandardError().toStdString(),
        "fokalis: cannot use the dictionary " + Path("broken/fokalis.itl") + ": it is empty\n");
    Kill(Broken);
}

// Host mode is the integrator's choice: with --host the program registers at the host, takes
// its dictionary from it and ends on its quit; without a host it does not start.
TEST_F(Program, HostModeOnRequestWithTheReferenceHost)
{
    QProcess Alone;
    const std::vector<std::string> Refused = Start(Alone, { "--host", "/serverhandle=e2e" });
    EXPECT_TRUE(Has(Refused, "text Lernix server application is not running")) << "the error box";
    EXPECT_TRUE(Alone.readAllStandardError().toStdString().starts_with(
        "fokalis: Lernix server application is not running\n"));
    Kill(Alone);

    ASSERT_TRUE(QFile::copy(GERMAN_DICTIONARY, QPath("book/fokalis.itl")));
    ASSERT_NE(StartHost("e2e", { "--files", QPath("book"), "--verbose" }), 0);
    QProcess Embedded;
    const std::vector<std::string> Texts = Start(Embedded, { "--host", "/serverhandle=e2e" });
    ASSERT_FALSE(Texts.empty()) << Embedded.readAllStandardError().toStdString();
    EXPECT_TRUE(Has(Texts, "text Beenden")) << "the host's dictionary";
    EXPECT_NE(HostLog().find("lmRegister from window"), std::string::npos) << HostLog();
    EXPECT_NE(HostLog().find("\"fokalis.itl\" -> found"), std::string::npos) << HostLog();

    ::kill(static_cast<pid_t>(FHost.processId()), SIGUSR1);
    EXPECT_EQ(Ended(Embedded), 0);
    EXPECT_TRUE(WaitUntil([&] { return HostLog().find("lmUnregister from window") != std::string::npos; }))
        << HostLog();
}

// What an integrator types: the host starts the program, which embeds itself with --host.
TEST_F(Program, TheReferenceHostStartsTheProgramInHostMode)
{
    Write("book/fokalis.itl", "[Exit]=Quit|$$\r\n");
    ASSERT_NE(StartHost("e2e", { "--files", QPath("book"), "--verbose", "--", FOKALIS, "--host" }), 0);
    EXPECT_TRUE(WaitUntil([&] { return HostLog().find("\"fokalis.itl\" -> found") != std::string::npos; }))
        << HostLog();
    EXPECT_NE(HostLog().find("lmRegister from window"), std::string::npos) << HostLog();

    // The host going down takes the program with it: its window named like its lock goes.
    const auto Messaging = platform::CreatePosixWindowMessaging();
    const auto ProgramWindow
        = [&] { return Messaging->FindWindow("ThisIsTheLernixClientComponentWindowClass", "LX_fokalis"); };
    EXPECT_TRUE(WaitUntil([&] { return ProgramWindow() != 0; }));
    ::kill(static_cast<pid_t>(FHost.processId()), SIGTERM);
    EXPECT_EQ(Ended(FHost), 0);
    EXPECT_TRUE(WaitUntil([&] { return ProgramWindow() == 0; }));
}

} // namespace
