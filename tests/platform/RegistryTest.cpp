#include "Registry.h"

#include "TTempRuntimeFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

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

    test::TTempRuntimeFolder FFolder;
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
