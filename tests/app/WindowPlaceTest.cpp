#include "MessageKinds.h"
#include "ParamListText.h"
#include "TfrmExample.h"
#include "TkdbDemonClient.h"
#include "UserSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

// The settings in a folder of the test's own.
class WindowPlace : public testing::Test {
protected:
    WindowPlace() { qputenv("XDG_CONFIG_HOME", Config.path().toLocal8Bit()); }
    ~WindowPlace() override { qunsetenv("XDG_CONFIG_HOME"); }

    QTemporaryDir Config;
};

} // namespace

TEST_F(WindowPlace, SizeIsKeptPerUserInOneFile)
{
    EXPECT_EQ(UserSettingsFile(), Config.filePath("fokalis/fokalis.conf"));
    QSize Designed;
    {
        TfrmExample Window;
        Designed = Window.size();
        RestoreWindowGeometry(Window);
        EXPECT_EQ(Window.size(), Designed) << "nothing saved yet";
        Window.resize(700, 560);
        Window.show();
        SaveWindowGeometry(Window);
    }
    ASSERT_TRUE(QFile::exists(UserSettingsFile()));
    {
        TfrmExample Again;
        RestoreWindowGeometry(Again);
        EXPECT_EQ(Again.size(), QSize(700, 560));
    }

    // A file that is not ours changes nothing and breaks nothing.
    QFile Garbage(UserSettingsFile());
    ASSERT_TRUE(Garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
    Garbage.write("[MainWindow]\nGeometry=@ByteArray(\\x1\\x2garbage)\n\x01\x02");
    Garbage.close();
    TfrmExample Third;
    RestoreWindowGeometry(Third);
    EXPECT_EQ(Third.size(), Designed);
}

// A second start hands its parameters to the running copy, which comes out of the task bar.
TEST_F(WindowPlace, ParametersOfASecondStartBringTheWindowBack)
{
    TfrmExample Window;
    Window.showMinimized();
    ASSERT_TRUE(Window.isMinimized());
    auto* Demon = Window.findChild<TkdbDemonClient*>("cliDemon");
    ASSERT_NE(Demon, nullptr);
    auto Params = std::make_unique<TLernixMessageStream>(Demon);
    Params->MsgKind = lmParams;
    WriteParamListText(*Params, { "fokalis", "again" });
    Params->SetPosition(0);
    Demon->HandleMessage(Params);
    EXPECT_FALSE(Window.isMinimized());
    EXPECT_TRUE(Window.isVisible());
    EXPECT_EQ(Demon->ParamStr(1), "again");
}
