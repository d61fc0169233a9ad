#include "TSingleInstanceLock.h"

#include "WindowMessaging.h"

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
    auto first = TSingleInstanceLock::TryAcquire(Folder(), "LX_demo");
    ASSERT_TRUE(first);
    EXPECT_GE(first->Handle(), 3);
    EXPECT_FALSE(TSingleInstanceLock::TryAcquire(Folder(), "LX_demo"));
    // Names that differ in any byte, also in letter case, are different locks.
    EXPECT_TRUE(TSingleInstanceLock::TryAcquire(Folder(), "LX_Demo"));
    first.reset();
    EXPECT_TRUE(TSingleInstanceLock::TryAcquire(Folder(), "LX_demo"));
}

TEST_F(SingleInstanceLock, AnyBytesMakeAPlainFileName)
{
    const std::string names[]
        = { "LX_a/b", std::string("LX_a\0b", 6), "LX_" + std::string(300, '\xE9'), "LX_..", "LX_" };
    for (const std::string& name : names) {
        const std::string file = SingleInstanceLockFileName(name);
        EXPECT_LT(file.size(), 100u);
        EXPECT_EQ(file.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-."), std::string::npos)
            << file;
        EXPECT_TRUE(TSingleInstanceLock::TryAcquire(Folder(), name)) << file;
    }
    EXPECT_NE(SingleInstanceLockFileName("LX_a/b"), SingleInstanceLockFileName("LX_a_b"));
}

TEST_F(SingleInstanceLock, RefusesALinkOrAFifoInItsPlace)
{
    const std::string path = Folder() + "/" + SingleInstanceLockFileName("LX_x");
    ASSERT_EQ(::symlink((Folder() + "/elsewhere").c_str(), path.c_str()), 0);
    EXPECT_THROW(TSingleInstanceLock::TryAcquire(Folder(), "LX_x"), EWindowMessaging);
    EXPECT_EQ(::access((Folder() + "/elsewhere").c_str(), F_OK), -1);

    ASSERT_EQ(::unlink(path.c_str()), 0);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_THROW(TSingleInstanceLock::TryAcquire(Folder(), "LX_x"), EWindowMessaging);
}
