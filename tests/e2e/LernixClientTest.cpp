#include "HostDiscovery.h"
#include "ProcessFixture.h"
#include "TWindowMessaging.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class LernixClient : public ProcessFixture {
protected:
    static TRunResult Probe(const QStringList& Arguments)
    {
        return Run(QStringLiteral(LERNIX_CLIENT), Arguments);
    }

    std::string ReadFile(const std::string& Name) const
    {
        QFile File(QPath(Name));
        return File.open(QIODevice::ReadOnly) ? File.readAll().toStdString() : std::string();
    }
};

TEST_F(LernixClient, AsksForFilesNamesAndValuesAndRegistersMeanwhile)
{
    const std::string Dictionary("TK_Exit=Exit\r\n\0\xff no line break", 31);
    Write("book/fokalis.itl", Dictionary);
    Write("book/empty", "");
    Write("values", "HomePageURL=https://example.org/\nGreeting=hello world\n");
    ASSERT_NE(StartHost("probe", { "--files", QPath("book"), "--values", QPath("values"), "--verbose" }), 0);

    const auto Answer = [](const QStringList& Arguments) {
        const TRunResult Result = Probe(QStringList { "--suffix", "probe" } + Arguments);
        EXPECT_EQ(Result.Status, 0) << Arguments.join(' ').toStdString() << ": " << Result.Err;
        return Result.Out;
    };
    EXPECT_EQ(Answer({ "get-file", "fokalis.itl" }), Dictionary);
    EXPECT_EQ(Answer({ "get-file", "empty" }), "");
    EXPECT_EQ(Answer({ "resolve", "/opt/fokalis/fokalis" }), "fokalis\n");
    EXPECT_EQ(Answer({ "resolve", "./a//b" }), "a/b\n");
    EXPECT_EQ(Answer({ "value", "HomePageURL" }), "https://example.org/\n");
    EXPECT_EQ(Answer({ "query", "Greeting" }), "hello world\n");
    EXPECT_EQ(Answer({ "value", "unknown" }), "\n");
    // Arguments that look like options are the request's own.
    EXPECT_EQ(Answer({ "value", "--help" }), "\n");

    const TRunResult Missing = Probe({ "--suffix=probe", "get-file", "../values" });
    EXPECT_EQ(Missing.Status, 1);
    EXPECT_EQ(Missing.Out, "");
    EXPECT_EQ(Missing.Err, "lernix-client: the host has no file \"../values\"\n");

    // Every probe registered before its request and unregistered after it.
    const std::string Log = HostLog();
    const auto Count = [&Log](const std::string& What) {
        int N = 0;
        for (std::size_t At = Log.find(What); At != std::string::npos; At = Log.find(What, At + 1))
            ++N;
        return N;
    };
    EXPECT_EQ(Count("lmRegister from window"), 9) << Log;
    EXPECT_EQ(Count("lmUnregister from window"), 9) << Log;
}

TEST_F(LernixClient, OverlappingFetchesOfTheLargestFileAllArriveWhole)
{
    // The largest file a reply carries, so that every reply is still being written when
    // the next request comes.
    std::string Large(16 * 1024 * 1024 - 9, '\0');
    for (std::size_t I = 0; I < Large.size(); ++I)
        Large[I] = static_cast<char>(I * 7 + I / 4099);
    Write("book/large", Large);
    ASSERT_NE(StartHost("probe", { "--files", QPath("book") }), 0);
    for (int Round = 0; Round < 2; ++Round) {
        std::vector<std::unique_ptr<QProcess>> Clients;
        for (int I = 0; I < 4; ++I) {
            Clients.push_back(std::make_unique<QProcess>());
            Clients.back()->start(
                QStringLiteral(LERNIX_CLIENT), { "--suffix", "probe", "get-file", "large" });
        }
        for (auto& Client : Clients) {
            ASSERT_TRUE(WaitUntil([&] { return Client->state() == QProcess::NotRunning; }));
            EXPECT_EQ(Client->exitCode(), 0) << Client->readAllStandardError().toStdString();
            EXPECT_TRUE(Client->readAllStandardOutput().toStdString() == Large) << "round " << Round;
        }
    }
    EXPECT_EQ(HostLog().find("did not reach"), std::string::npos) << HostLog();
}

TEST_F(LernixClient, FindsTheHostAsTheProgramDoesUnlessToldTheSuffix)
{
    Write("values", "Which=probe\n");
    ASSERT_NE(StartHost("probe", { "--values", QPath("values") }), 0);
    const auto Which = [](const QStringList& Arguments) {
        const TRunResult Result = Probe(Arguments + QStringList { "value", "Which" });
        return Result.Status == 0 ? Result.Out : Result.Err;
    };
    const std::string Found = "probe\n";
    const std::string NotFound = "lernix-client: Lernix server application is not running\n";
    // The switch in any case, lower-cased.
    EXPECT_EQ(Which({ "/ServerHandle=PROBE" }), Found);
    EXPECT_EQ(Which({}), NotFound);

    QFile Registry(QPath("registry/Orvik/vandrel.conf"));
    ASSERT_TRUE(QFileInfo(Registry).dir().mkpath(QStringLiteral(".")));
    ASSERT_TRUE(Registry.open(QIODevice::WriteOnly));
    Registry.write("[demon]\nViewerHandle=probe\n");
    Registry.close();
    // A published value wins over the switch, and --suffix over both.
    EXPECT_EQ(Which({ "/serverhandle=other" }), Found);
    EXPECT_EQ(Which({ "--suffix=other" }), NotFound);
}

TEST_F(LernixClient, FindsParticipantsByTitleAndByHandle)
{
    ASSERT_NE(StartHost("probe"), 0);
    QProcess Participant;
    Participant.start(QStringLiteral(HOSTLINK_CLIENT_PEER), { "--host", "/serverhandle=probe" });
    ASSERT_TRUE(
        WaitUntil([&] { return Participant.canReadLine() || Participant.state() == QProcess::NotRunning; }));
    const QStringList Ready = QString::fromUtf8(Participant.readLine()).trimmed().split(' ');
    ASSERT_EQ(Ready.size(), 3);
    ASSERT_EQ(Ready[0], "ready");
    const std::string Record = "Handle=" + Ready[1].toStdString() + "\nMutexHandle=0\nExeName="
        + QFileInfo(QStringLiteral(HOSTLINK_CLIENT_PEER)).canonicalFilePath().toStdString()
        + "\nTitle=hostlink_client_peer\n";

    const TRunResult ByTitle = Probe({ "--suffix=probe", "find-title", "hostlink_client_peer" });
    EXPECT_EQ(ByTitle.Status, 0) << ByTitle.Err;
    EXPECT_EQ(ByTitle.Out, Record);
    const TRunResult ByHandle = Probe({ "--suffix=probe", "find-handle", Ready[1] });
    EXPECT_EQ(ByHandle.Status, 0) << ByHandle.Err;
    EXPECT_EQ(ByHandle.Out, Record);

    const TRunResult Unknown = Probe({ "--suffix=probe", "find-title", "HOSTLINK_CLIENT_PEER" });
    EXPECT_EQ(Unknown.Status, 1);
    EXPECT_EQ(Unknown.Err, "lernix-client: the host knows no participant titled \"HOSTLINK_CLIENT_PEER\"\n");
    Participant.closeWriteChannel();
    ASSERT_TRUE(WaitUntil([&] { return Participant.state() == QProcess::NotRunning; }));
    const TRunResult Gone = Probe({ "--suffix=probe", "find-handle", Ready[1] });
    EXPECT_EQ(Gone.Status, 1);
    EXPECT_EQ(Gone.Err,
        "lernix-client: the host knows no participant with window " + Ready[1].toStdString() + "\n");
}

TEST_F(LernixClient, ExecutesProgramsThroughTheHost)
{
    ASSERT_NE(StartHost("probe"), 0);
    const TRunResult Started = Probe({ "--suffix=probe", "execute", "--option=7", "sh",
        QString::fromStdString("-c \"echo $$ > '" + Path("pid") + "'\"") });
    EXPECT_EQ(Started.Status, 0) << Started.Err;
    ASSERT_TRUE(WaitUntil([&] { return QFileInfo(QPath("pid")).size() > 0; }));
    EXPECT_EQ(std::stoi(ReadFile("pid")), std::stoi(Started.Out));

    // With --wait the probe returns only after the program has ended; the host, not the
    // probe, is the program's parent, so its status cannot be known.
    const TRunResult Waited = Probe({ "--suffix=probe", "execute", "--wait", "sh",
        QString::fromStdString("-c \"sleep 0.3; echo done > '" + Path("done") + "'\"") });
    EXPECT_EQ(Waited.Status, 0) << Waited.Err;
    EXPECT_EQ(Waited.Out, "-1\n");
    EXPECT_EQ(ReadFile("done"), "done\n");

    for (const bool Wait : { false, true }) {
        QStringList Arguments { "--suffix=probe", "execute", QPath("no such program") };
        if (Wait)
            Arguments.insert(2, QStringLiteral("--wait"));
        const TRunResult Failed = Probe(Arguments);
        EXPECT_EQ(Failed.Status, 1);
        EXPECT_EQ(Failed.Out, "");
        EXPECT_EQ(Failed.Err, "lernix-client: Could not execute \"" + Path("no such program") + ".\"\n");
    }
}

TEST_F(LernixClient, ReportsAHostThatIsMissingOrSilent)
{
    for (const char* Request : { "get-file", "resolve", "query", "value", "execute", "find-title" }) {
        const TRunResult Result = Probe({ "--suffix=probe", Request, "x" });
        EXPECT_EQ(Result.Status, 1) << Request;
        EXPECT_EQ(Result.Err, "lernix-client: Lernix server application is not running\n") << Request;
    }

    // A host window that takes every frame and never answers.
    const auto Messaging = platform::CreatePosixWindowMessaging();
    int Frames = 0;
    Messaging->CreateHiddenWindow(std::string(ServerWindowClassName) + "silent",
        std::string(ServerWindowName) + "silent", [&Frames](const platform::TCopyDataFrame&) { ++Frames; });
    for (const char* Request : { "get-file", "resolve", "query", "value", "execute" }) {
        const TRunResult Result = Probe({ "--suffix=silent", Request, "x" });
        EXPECT_EQ(Result.Status, 1) << Request;
        EXPECT_EQ(Result.Err, "lernix-client: Stream read error\n") << Request;
    }
    const TRunResult Nobody = Probe({ "--suffix=silent", "find-handle", "5" });
    EXPECT_EQ(Nobody.Status, 1);
    EXPECT_EQ(Nobody.Err, "lernix-client: the host knows no participant with window 5\n");
    // Register, request and unregister each time.
    EXPECT_EQ(Frames, 6 * 3);
}

TEST_F(LernixClient, BadCommandLinesEndWithStatusTwo)
{
    const std::vector<QStringList> Bad { {}, { "--suffix" }, { "--suffix=x" }, { "--bogus", "value", "k" },
        { "fetch", "k" }, { "value" }, { "value", "k", "surplus" }, { "find-handle", "12x" },
        { "find-handle", "99999999999" }, { "execute", "--option", "seven", "sh" }, { "execute", "--wait" },
        { "execute", "--later", "sh" }, { "execute", "sh", "-c", "surplus" } };
    for (const QStringList& Arguments : Bad) {
        const TRunResult Result = Probe(Arguments);
        EXPECT_EQ(Result.Status, 2) << Arguments.join(' ').toStdString();
        EXPECT_NE(Result.Err.find("Try \"lernix-client --help\""), std::string::npos) << Result.Err;
    }
    const TRunResult Help = Probe({ "--suffix=x", "--help", "bogus" });
    EXPECT_EQ(Help.Status, 0);
    EXPECT_NE(Help.Out.find("find-handle HANDLE"), std::string::npos);
    const TRunResult Version = Probe({ "--version" });
    EXPECT_EQ(Version.Status, 0);
    EXPECT_TRUE(Version.Out.starts_with("lernix-client 1.")) << Version.Out;
}

} // namespace
