#include "TServedFolder.h"
#include "TMemoryFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A served folder "book" beside a secret file, with links inside and out.
class ServedFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string Template = (fs::temp_directory_path() / "served-XXXXXX").string();
        ASSERT_NE(::mkdtemp(Template.data()), nullptr);
        FRoot = Template;
        fs::create_directories(FRoot / "book" / "sub");
        Write(FRoot / "secret", "secret");
        Write(FRoot / "book" / "a.txt", "a");
        Write(FRoot / "book" / "sub" / "b", "bb");
        Write(FRoot / "book" / "big", std::string(11, 'x'));
        fs::create_symlink("sub/b", FRoot / "book" / "inside");
        fs::create_symlink("../secret", FRoot / "book" / "out");
        fs::create_symlink(FRoot, FRoot / "book" / "root");
        ASSERT_EQ(::mkfifo((FRoot / "book" / "pipe").c_str(), 0600), 0);
    }
    void TearDown() override { fs::remove_all(FRoot); }

    static void Write(const fs::path& Path, const std::string& Text) { std::ofstream(Path) << Text; }

    fs::path FRoot;
};

std::optional<std::string> Served(const TFileSource& Files, const std::string& Name)
{
    const TFileLookup Found = Files.ReadFile(Name, 10);
    if (!Found.Bytes)
        return std::nullopt;
    return std::string(Found.Bytes->begin(), Found.Bytes->end());
}

} // namespace

TEST_F(ServedFolder, NothingOutsideTheFolderIsServedOrResolved)
{
    const TServedFolder Folder((FRoot / "book").string());
    EXPECT_EQ(Served(Folder, "a.txt"), "a");
    EXPECT_EQ(Served(Folder, "./sub//b"), "bb");
    EXPECT_EQ(Served(Folder, "inside"), "bb");
    for (const std::string& Name :
        std::vector<std::string> { "out", "root/secret", "../secret", "sub/../../secret",
            (FRoot / "secret").string(), std::string("a.txt\0x", 7), "", "sub", "pipe", "big", "none" })
        EXPECT_EQ(Served(Folder, Name), std::nullopt) << Name;
    EXPECT_EQ(Folder.ReadFile("big", 11).Bytes->size(), 11u);

    EXPECT_EQ(Folder.Resolve("./sub//later"), "sub/later");
    EXPECT_EQ(Folder.Resolve("/opt/fokalis/fokalis"), "fokalis");
    for (const std::string Name : { "out/x", "root/secret", "../a.txt", "/opt/..", "" })
        EXPECT_EQ(Folder.Resolve(Name), std::nullopt) << Name;
    EXPECT_THROW(TServedFolder((FRoot / "secret").string()), std::runtime_error);
}

TEST(MemoryFiles, ServeByTheNamesOfAServedFolder)
{
    const TMemoryFiles Files({ { "a.txt", "a" }, { "sub/b", "bb" }, { "big", std::string(11, 'x') } });
    EXPECT_EQ(Served(Files, "./sub//b"), "bb");
    for (const std::string Name : { "../a.txt", "/a.txt", "big", "b" })
        EXPECT_EQ(Served(Files, Name), std::nullopt) << Name;
    EXPECT_EQ(Files.Resolve("/opt/fokalis/a.txt"), "a.txt");
    EXPECT_EQ(Files.Resolve("sub/../a.txt"), std::nullopt);
}
