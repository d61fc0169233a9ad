#include "SystemError.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using namespace platform;

TEST(SystemError, GivesTheCLibraryTextForErrnoAndKeepsErrno)
{
    errno = ENOENT;
    EXPECT_EQ(GetLastErrorString(), std::strerror(ENOENT));
    EXPECT_EQ(errno, ENOENT);
}

TEST(SystemError, AnUnknownCodeStillGivesAText)
{
    const std::string Text = SystemErrorText(987654);
    EXPECT_FALSE(Text.empty());
    EXPECT_NE(Text, SystemErrorText(ENOENT));
}
