#include "TkdbDemonClient.h"
#include "ELernix.h"
#include "HostlinkFixture.h"
#include "MessageKinds.h"
#include "TTestHost.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

class DemonClient : public HostlinkFixture {
protected:
    static std::string Contents(const TMemoryStream& Stream)
    {
        return { Stream.Bytes().begin(), Stream.Bytes().end() };
    }
};

} // namespace

TEST_F(DemonClient, EveryRequestIsAnsweredByTheHost)
{
    TTestHost Host(*FMessaging, "", { { "a.itl", "xyz" }, { "empty", "" } });
    TkdbDemonClient Client(nullptr, FMessaging.get());
    Client.RegisterAtHost();
    const std::string Title = QCoreApplication::applicationName().toLocal8Bit().toStdString();

    // A copy asking for its own title wants another copy, never itself.
    EXPECT_EQ(Client.FindEntityByTitle(Title), nullptr);
    TkdbDemonClient Second(nullptr, FMessaging.get());
    const auto ByTitle = Second.FindEntityByTitle(Title);
    ASSERT_TRUE(ByTitle);
    EXPECT_EQ(ByTitle->Handle, Client.OwnEntity().Handle);
    EXPECT_EQ(ByTitle->ExeName, Client.OwnEntity().ExeName);
    const auto ByHandle = Client.FindEntityByHandle(Client.OwnEntity().Handle);
    ASSERT_TRUE(ByHandle);
    EXPECT_EQ(ByHandle->Title, Title);
    EXPECT_EQ(Client.FindEntityByTitle("nobody"), nullptr);
    EXPECT_EQ(Client.FindEntityByHandle(Client.OwnEntity().Handle + 1), nullptr);

    const auto File = Client.GetFileStream("a.itl");
    ASSERT_TRUE(File);
    EXPECT_EQ(File->Position(), 0);
    EXPECT_EQ(Contents(*File), "xyz");
    const auto Empty = Client.GetFileStream("empty");
    ASSERT_TRUE(Empty);
    EXPECT_EQ(Empty->Size(), 0);
    EXPECT_EQ(Client.GetFileStream("missing"), nullptr);

    EXPECT_EQ(Client.ResolveFileName("./a//name"), "a/name");
    EXPECT_EQ(Client.ResolveFileName("/opt/fokalis/fokalis"), "fokalis");
    EXPECT_EQ(Client.QueryHostString("question"), "answer");
    EXPECT_EQ(Client.GetHostValue("HomePageURL"), TestHostValues().at("HomePageURL"));

    Client.UnregisterAtHost();
    EXPECT_EQ(Host.Participants().Size(), 0u);
}

TEST_F(DemonClient, WithoutAHostOnlyTheEntityQueriesGoWithoutError)
{
    TkdbDemonClient Client(nullptr, FMessaging.get());
    EXPECT_EQ(Client.FindEntityByTitle("x"), nullptr);
    EXPECT_EQ(Client.FindEntityByHandle(1), nullptr);
    const std::function<void()> Requests[] = {
        [&] { Client.ExecuteProgram("true", "", false, 0); },
        [&] { Client.GetFileStream("x"); },
        [&] { Client.ResolveFileName("x"); },
        [&] { Client.QueryHostString("x"); },
        [&] { Client.GetHostValue("x"); },
    };
    for (const auto& Request : Requests)
        EXPECT_EQ(ErrorText<EReadError>(Request), "Stream read error");
    EXPECT_EQ(ErrorText<ELernix>([&] { Client.Loaded(); }), "Lernix server application is not running");
}

TEST_F(DemonClient, StandaloneHostValuesAreTheProgramsFolderAndSendNothing)
{
    TTestHost Host(*FMessaging, "");
    TkdbDemonClient Client(nullptr, FMessaging.get());
    Client.SetUseVandrelServer(false);
    const std::string Folder = QFileInfo(QCoreApplication::applicationFilePath()).path().toStdString() + "/";
    EXPECT_EQ(Client.GetHostValue(WorkAreaKey), Folder);
    EXPECT_EQ(Client.GetHostValue(HomeDirKey), Folder);
    EXPECT_EQ(Client.GetHostValue("vandrelhomedir"), "");
    EXPECT_EQ(Host.Answers(), 0);
    // The other requests still go to the host.
    EXPECT_EQ(Client.QueryHostString("question"), "answer");
    EXPECT_EQ(Host.Answers(), 1);
}

TEST_F(DemonClient, ExecuteProgramWaitsWithoutClaimingAnExitStatus)
{
    TTestHost Host(*FMessaging, "");
    TkdbDemonClient Client(nullptr, FMessaging.get());
    QTemporaryDir Folder;
    const QString Marker = Folder.filePath("done");
    // The host splits parameters at blanks, so the script has none.
    const std::string Script = "sleep${IFS}0.3;echo>" + Marker.toStdString() + ";exit${IFS}3";
    const std::int32_t Waited = Client.ExecuteProgram("sh", "-c " + Script, true, 0);
    EXPECT_EQ(Waited, UnknownExitCode);
    EXPECT_TRUE(QFileInfo::exists(Marker));

    EXPECT_GT(Client.ExecuteProgram("true", "", false, 7), 0);
    EXPECT_EQ(ErrorText<ELernix>([&] { Client.ExecuteProgram("/nonexistent/program", "", true, 0); }),
        "Could not execute \"/nonexistent/program.\"");
}

TEST_F(DemonClient, AnEntityReplyShorterThanARecordFailsToRead)
{
    TTestHost Host(*FMessaging, "");
    Host.OnAnswer = [](const TLernixMessageStream&, TLernixMessageStream& Answer) {
        Answer.Clear();
        Answer.WriteBuffer("abc", 3);
    };
    TkdbDemonClient Client(nullptr, FMessaging.get());
    EXPECT_THROW(Client.FindEntityByTitle("x"), EReadError);
}
