#include "TkdbDemonClient.h"
#include "ELernix.h"
#include "HostlinkFixture.h"
#include "MessageKinds.h"
#include "TTestHost.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

class Client : public HostlinkFixture {
protected:
    static std::string Contents(const TMemoryStream& Stream)
    {
        return { Stream.Bytes().begin(), Stream.Bytes().end() };
    }
};

template <typename TError> std::string ErrorText(const std::function<void()>& Action)
{
    try {
        Action();
    } catch (const TError& e) {
        return e.what();
    }
    return "(no error)";
}

} // namespace

TEST_F(Client, EveryRequestIsAnsweredByTheHost)
{
    TTestHost host(FMessaging.get(), "");
    host.Files = { { "a.itl", "xyz" }, { "empty", "" } };
    TkdbDemonClient client(nullptr, FMessaging.get());
    client.RegisterAtHost();
    const std::string title = QCoreApplication::applicationName().toLocal8Bit().toStdString();

    const auto byTitle = client.FindEntityByTitle(title);
    ASSERT_TRUE(byTitle);
    EXPECT_EQ(byTitle->Handle, client.OwnEntity().Handle);
    EXPECT_EQ(byTitle->ExeName, client.OwnEntity().ExeName);
    const auto byHandle = client.FindEntityByHandle(client.OwnEntity().Handle);
    ASSERT_TRUE(byHandle);
    EXPECT_EQ(byHandle->Title, title);
    EXPECT_EQ(client.FindEntityByTitle("nobody"), nullptr);
    EXPECT_EQ(client.FindEntityByHandle(client.OwnEntity().Handle + 1), nullptr);

    const auto file = client.GetFileStream("a.itl");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Position(), 0);
    EXPECT_EQ(Contents(*file), "xyz");
    const auto empty = client.GetFileStream("empty");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Size(), 0);
    EXPECT_EQ(client.GetFileStream("missing"), nullptr);

    EXPECT_EQ(client.ResolveFileName("name"), "name");
    EXPECT_EQ(client.QueryHostString("text"), "text");
    EXPECT_EQ(client.GetHostValue("HomePageURL"), "value of HomePageURL");

    client.UnregisterAtHost();
    EXPECT_TRUE(host.Participants.empty());
}

TEST_F(Client, WithoutAHostOnlyTheEntityQueriesGoWithoutError)
{
    TkdbDemonClient client(nullptr, FMessaging.get());
    EXPECT_EQ(client.FindEntityByTitle("x"), nullptr);
    EXPECT_EQ(client.FindEntityByHandle(1), nullptr);
    const std::function<void()> requests[] = {
        [&] { client.ExecuteProgram("true", "", false, 0); },
        [&] { client.GetFileStream("x"); },
        [&] { client.ResolveFileName("x"); },
        [&] { client.QueryHostString("x"); },
        [&] { client.GetHostValue("x"); },
    };
    for (const auto& request : requests)
        EXPECT_EQ(ErrorText<EReadError>(request), "Stream read error");
    EXPECT_EQ(ErrorText<ELernix>([&] { client.Loaded(); }), "Lernix server application is not running");
}

TEST_F(Client, StandaloneHostValuesAreTheProgramsFolderAndSendNothing)
{
    TTestHost host(FMessaging.get(), "");
    TkdbDemonClient client(nullptr, FMessaging.get());
    client.SetUseVandrelServer(false);
    const std::string folder = QFileInfo(QCoreApplication::applicationFilePath()).path().toStdString() + "/";
    EXPECT_EQ(client.GetHostValue(WorkAreaKey), folder);
    EXPECT_EQ(client.GetHostValue(HomeDirKey), folder);
    EXPECT_EQ(client.GetHostValue("vandrelhomedir"), "");
    EXPECT_EQ(host.Requests, 0);
    // The other requests still go to the host.
    EXPECT_EQ(client.QueryHostString("q"), "q");
    EXPECT_EQ(host.Requests, 1);
}

TEST_F(Client, ExecuteProgramWaitsWithoutClaimingAnExitStatus)
{
    TTestHost host(FMessaging.get(), "");
    TkdbDemonClient client(nullptr, FMessaging.get());
    QTemporaryDir folder;
    const QString marker = folder.filePath("done");
    // The test host splits parameters at blanks, so the script has none.
    const std::string script = "sleep${IFS}0.3;echo>" + marker.toStdString() + ";exit${IFS}3";
    const std::int32_t waited = client.ExecuteProgram("sh", "-c " + script, true, 0);
    EXPECT_EQ(waited, UnknownExitCode);
    EXPECT_TRUE(QFileInfo::exists(marker));

    EXPECT_GT(client.ExecuteProgram("true", "", false, 7), 0);
    EXPECT_EQ(ErrorText<ELernix>([&] { client.ExecuteProgram("/nonexistent/program", "", true, 0); }),
        "Could not execute \"/nonexistent/program.\"");
}

TEST_F(Client, AnEntityReplyShorterThanARecordFailsToRead)
{
    TTestHost host(FMessaging.get(), "");
    host.SetOnGotAMessage([&](TkdbCustomDemon*, TLernixMessageStream& Msg) {
        TLernixMessageStream reply(&host);
        reply.MsgKind = lmReply;
        reply.SetStamp(Msg.Stamp());
        reply.WriteBuffer("abc", 3);
        host.Transmit(*Msg.SenderEntity, reply, nullptr);
    });
    TkdbDemonClient client(nullptr, FMessaging.get());
    EXPECT_THROW(client.FindEntityByTitle("x"), EReadError);
}
