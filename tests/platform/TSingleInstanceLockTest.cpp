#include "TSingleInstanceLock.h"

#include "TWindowMessaging.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

class SingleInstanceLock : public testing::Test {
protected:
    std::string Folder() const { return FFolder.path().toStdString(); }

    QTemporaryDir FFolder;
};

} // namespace

TEST_F(SingleInstanceLock, OneHolderPerNameUntilReleased)
{
    auto First = TSingleInstanceLock::TryAcquire(Folder(), "LX_demo");
    ASSERT_TRUE(First);
    EXPECT_GE(First->Handle(), 3);
    EXPECT_FALSE(TSingleInstanceLock::TryAcquire(Folder(), "LX_demo"));
    // Names that differ in any byte, also in letter case, are different locks.
    EXPECT_TRUE(TSingleInstanceLock::TryAcquire(Folder(), "LX_Demo"));
    First.reset();
    EXPECT_TRUE(TSingleInstanceLock::TryAcquire(Folder(), "LX_demo"));
}

TEST_F(SingleInstanceLock, AnyBytesMakeAPlainFileName)
{
    const std::string Names[]
        = { "LX_a/b", std::string("LX_a\0b", 6), "LX_" + std::string(300, '\xE9'), "LX_..", "LX_" };
    for (const std::string& Name : Names) {
        const std::string File = SingleInstanceLockFileName(Name);
        EXPECT_LT(File.size(), 100u);
        EXPECT_EQ(File.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-."), std::string::npos)
            << File;
        EXPECT_TRUE(TSingleInstanceLock::TryAcquire(Folder(), Name)) << File;
    }
    EXPECT_NE(SingleInstanceLockFileName("LX_a/b"), SingleInstanceLockFileName("LX_a_b"));
}

TEST_F(SingleInstanceLock, RefusesALinkOrAFifoInItsPlace)
{
    const std::string Path = Folder() + "/" + SingleInstanceLockFileName("LX_x");
    ASSERT_EQ(::symlink((Folder() + "/elsewhere").c_str(), Path.c_str()), 0);
    EXPECT_THROW(TSingleInstanceLock::TryAcquire(Folder(), "LX_x"), EWindowMessaging);
    EXPECT_EQ(::access((Folder() + "/elsewhere").c_str(), F_OK), -1);

    ASSERT_EQ(::unlink(Path.c_str()), 0);
    ASSERT_EQ(::mkfifo(Path.c_str(), 0600), 0);
    EXPECT_THROW(TSingleInstanceLock::TryAcquire(Folder(), "LX_x"), EWindowMessaging);
}
