#include "RuntimeFolder.h"

#include "TPrivateRuntimeFolder.h"
#include "TWindowMessaging.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

constexpr uid_t Nobody = 65534;

class RuntimeFolderTest : public testing::Test {
protected:
    std::string Sub(const char* Name) const { return FFolder.Path() + "/" + Name; }

    TPrivateRuntimeFolder FFolder;
};

} // namespace

TEST_F(RuntimeFolderTest, TheOverrideWinsOverTheXdgFolder)
{
    ::setenv("XDG_RUNTIME_DIR", "/run/user/elsewhere", 1);
    EXPECT_EQ(RuntimeFolderPath(), FFolder.Path());
    ::unsetenv("LERNIX_RUNTIME_DIR");
    EXPECT_EQ(RuntimeFolderPath(), "/run/user/elsewhere/lernix");
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(RuntimeFolderPath(), "/tmp/lernix-" + std::to_string(::geteuid()));
}

TEST_F(RuntimeFolderTest, MakesAMissingFolderPrivate)
{
    ::setenv("LERNIX_RUNTIME_DIR", Sub("fresh").c_str(), 1);
    EXPECT_EQ(PrepareRuntimeFolder(), Sub("fresh"));
    struct stat Info { };
    ASSERT_EQ(::stat(Sub("fresh").c_str(), &Info), 0);
    EXPECT_EQ(Info.st_mode & 0777, 0700u);
}

TEST_F(RuntimeFolderTest, RefusesAFolderOthersCanEnter)
{
    ::chmod(FFolder.Path().c_str(), 0711);
    EXPECT_TRUE(RuntimeFolderProblem(FFolder.Path(), ::geteuid()));
    EXPECT_THROW(PrepareRuntimeFolder(), EWindowMessaging);
    ::chmod(FFolder.Path().c_str(), 0700);
    EXPECT_FALSE(RuntimeFolderProblem(FFolder.Path(), ::geteuid()));
}

TEST_F(RuntimeFolderTest, RefusesAFolderOfAnotherUser)
{
    EXPECT_TRUE(RuntimeFolderProblem(FFolder.Path(), ::geteuid() + 1));
    if (::geteuid() != 0)
        GTEST_SKIP() << "changing a folder's owner needs root";
    ASSERT_EQ(::chown(FFolder.Path().c_str(), Nobody, Nobody), 0);
    EXPECT_THROW(PrepareRuntimeFolder(), EWindowMessaging);
}

TEST_F(RuntimeFolderTest, RefusesASymbolicLinkAndAFile)
{
    ASSERT_EQ(::symlink(FFolder.Path().c_str(), Sub("link").c_str()), 0);
    EXPECT_TRUE(RuntimeFolderProblem(Sub("link"), ::geteuid()));
    ASSERT_EQ(::close(::creat(Sub("file").c_str(), 0600)), 0);
    ::setenv("LERNIX_RUNTIME_DIR", Sub("file").c_str(), 1);
    EXPECT_THROW(PrepareRuntimeFolder(), EWindowMessaging);
}
