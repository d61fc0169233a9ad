#include "Registry.h"

#include "TPrivateRuntimeFolder.h"

#include <QSettings>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

using namespace platform;

namespace {

const std::string DemonKey = "\\Software\\Orvik\\vandrel\\demon";

class RegistryTest : public testing::Test {
protected:
    void SetUp() override { ::setenv("LERNIX_REGISTRY_DIR", FFolder.Path().c_str(), 1); }
    void TearDown() override { ::unsetenv("LERNIX_REGISTRY_DIR"); }

    void WriteConfig(const std::string& Text)
    {
        std::filesystem::create_directories(FFolder.Path() + "/Orvik");
        std::ofstream(FFolder.Path() + "/Orvik/vandrel.conf") << Text;
    }

    TPrivateRuntimeFolder FFolder;
};

} // namespace

TEST_F(RegistryTest, ReadsTheValueFromTheKeysGroup)
{
    WriteConfig("[demon]\nViewerHandle=1234ABCD\n");
    EXPECT_EQ(ReadLocalMachineString(DemonKey, "ViewerHandle"), "1234ABCD");
}

TEST_F(RegistryTest, AMissingValueOrFileGivesTheEmptyText)
{
    EXPECT_EQ(ReadLocalMachineString(DemonKey, "ViewerHandle"), "");
    WriteConfig("[demon]\nOther=1\n[elsewhere]\nViewerHandle=5\n");
    EXPECT_EQ(ReadLocalMachineString(DemonKey, "ViewerHandle"), "");
}

TEST_F(RegistryTest, AKeyOutsideSoftwareOpensNothing)
{
    WriteConfig("[demon]\nViewerHandle=1\n");
    EXPECT_EQ(ReadLocalMachineString("\\Hardware\\Orvik\\vandrel\\demon", "ViewerHandle"), "");
    EXPECT_EQ(ReadLocalMachineString("\\Software\\Orvik", "ViewerHandle"), "");
}

TEST_F(RegistryTest, AWrittenValueIsReadBackAndRemovingItLeavesTheOthers)
{
    WriteConfig("[demon]\nOther=1\n");
    EXPECT_EQ(FindLocalMachineString(DemonKey, "ViewerHandle"), std::nullopt);
    ASSERT_TRUE(WriteLocalMachineString(DemonKey, "ViewerHandle", "1234abcd"));
    EXPECT_EQ(ReadLocalMachineString(DemonKey, "ViewerHandle"), "1234abcd");
    EXPECT_NE(LocalMachineStore(DemonKey).find("/Orvik/vandrel.conf"), std::string::npos);

    ASSERT_TRUE(WriteLocalMachineString(DemonKey, "ViewerHandle", std::nullopt));
    EXPECT_EQ(FindLocalMachineString(DemonKey, "ViewerHandle"), std::nullopt);
    EXPECT_EQ(ReadLocalMachineString(DemonKey, "Other"), "1");
    EXPECT_FALSE(WriteLocalMachineString("\\Hardware\\Orvik\\vandrel\\demon", "ViewerHandle", "1"));
}

TEST_F(RegistryTest, OnlyARegularFileIsAStoreAndNoEmptyOneIsLeftBehind)
{
    const std::string Store = FFolder.Path() + "/Orvik/vandrel.conf";
    const std::string Target = FFolder.Path() + "/target";
    std::ofstream(Target) << "[demon]\nViewerHandle=victim\n";
    std::filesystem::create_directories(FFolder.Path() + "/Orvik");
    std::filesystem::create_symlink(Target, Store);
    EXPECT_EQ(FindLocalMachineString(DemonKey, "ViewerHandle"), std::nullopt);
    EXPECT_FALSE(WriteLocalMachineString(DemonKey, "ViewerHandle", "mine"));
    std::ifstream In(Target);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(In), {}), "[demon]\nViewerHandle=victim\n");

    // A pipe would block the reader until someone writes to it.
    std::filesystem::remove(Store);
    ASSERT_EQ(::mkfifo(Store.c_str(), 0600), 0);
    EXPECT_EQ(FindLocalMachineString(DemonKey, "ViewerHandle"), std::nullopt);
    EXPECT_FALSE(WriteLocalMachineString(DemonKey, "ViewerHandle", "mine"));

    std::filesystem::remove(Store);
    ASSERT_TRUE(WriteLocalMachineString(DemonKey, "ViewerHandle", "mine"));
    ASSERT_TRUE(WriteLocalMachineString(DemonKey, "ViewerHandle", std::nullopt));
    EXPECT_FALSE(std::filesystem::exists(Store)) << "a store without values was left behind";
}

TEST(RegistryPlace, TheSystemStoreIsWhereTheSystemScopeLooks)
{
    const QByteArray Saved = qgetenv("XDG_CONFIG_DIRS");
    ::unsetenv("LERNIX_REGISTRY_DIR");
    for (const char* Dirs : { "/nonexistent/first:/nonexistent/second", "" }) {
        ::setenv("XDG_CONFIG_DIRS", Dirs, 1);
        const QSettings System(QSettings::SystemScope, "Orvik", "vandrel");
        EXPECT_EQ(LocalMachineStore(DemonKey), System.fileName().toStdString()) << Dirs;
    }
    qputenv("XDG_CONFIG_DIRS", Saved);
}
