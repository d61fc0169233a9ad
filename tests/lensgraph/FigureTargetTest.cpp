#include "FigureTarget.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class FigureTarget : public testing::Test {
protected:
    void SetUp() override
    {
        std::string Template = (fs::temp_directory_path() / "figuretarget-XXXXXX").string();
        ASSERT_NE(mkdtemp(Template.data()), nullptr);
        FDir = Template;
    }
    void TearDown() override { fs::remove_all(FDir); }

    std::string In(const std::string& Name) const { return (FDir / Name).string(); }

    fs::path FDir;
};

// What replacing would destroy is refused, also behind a symbolic link, and the
// reason names what it is.
TEST_F(FigureTarget, ExistingTargetsOtherThanRegularFilesAreRefused)
{
    ASSERT_EQ(mkfifo(In("pipe.png").c_str(), 0600), 0);
    fs::create_directory(In("folder.png"));
    fs::create_symlink(In("pipe.png"), In("link.png"));
    for (const char* Name : { "pipe.png", "link.png" }) {
        const auto Problem = FigureTargetProblem(In(Name));
        ASSERT_TRUE(Problem) << Name;
        EXPECT_NE(Problem->find("named pipe"), std::string::npos) << *Problem;
    }
    const auto Folder = FigureTargetProblem(In("folder.png"));
    ASSERT_TRUE(Folder);
    EXPECT_NE(Folder->find("folder"), std::string::npos) << *Folder;
    const auto Device = FigureTargetProblem("/dev/null");
    ASSERT_TRUE(Device);
    EXPECT_NE(Device->find("device"), std::string::npos) << *Device;
}

TEST_F(FigureTarget, NewAndRegularFilesAndUnreadableTypesPass)
{
    std::ofstream(In("old.png")) << "old";
    fs::create_symlink(In("old.png"), In("link.png"));
    EXPECT_FALSE(FigureTargetProblem(In("old.png")));
    EXPECT_FALSE(FigureTargetProblem(In("link.png")));
    EXPECT_FALSE(FigureTargetProblem(In("new.svg")));
    EXPECT_FALSE(FigureTargetProblem(In("missing/folder/new.png")));
    EXPECT_FALSE(FigureTargetProblem(In("no-ending")));
}

// A name promising another picture format gets no PNG bytes, in any letter case,
// whether or not the file exists.
TEST_F(FigureTarget, NamesAskingForAnotherFormatAreRefused)
{
    for (const char* Name : { "a.jpg", "a.JPEG", "a.Gif", "a.webp" }) {
        const auto Problem = FigureTargetProblem(In(Name));
        ASSERT_TRUE(Problem) << Name;
        EXPECT_NE(Problem->find(".png or .svg"), std::string::npos) << *Problem;
    }
    EXPECT_FALSE(FigureTargetProblem(In("a.jpg.png")));
    EXPECT_FALSE(FigureTargetProblem(In("jpg")));
}

} // namespace
