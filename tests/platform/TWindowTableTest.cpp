#include "TWindowTable.h"

#include "TTempRuntimeFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace platform;

namespace {

class WindowTableTest : public testing::Test {
protected:
    TWindowClaim Open(const TWindowNames& Names)
    {
        TWindowClaim Claim = FTable.Claim();
        FTable.Publish(Claim.Handle, Names);
        return Claim;
    }

    test::TTempRuntimeFolder FFolder;
    TWindowTable FTable { FFolder.Path() };
};

} // namespace

TEST_F(WindowTableTest, HandlesArePositiveAndDistinct)
{
    std::vector<TWindowClaim> Claims;
    std::set<TWindowHandle> Handles;
    for (int I = 0; I < 100; ++I) {
        Claims.push_back(FTable.Claim());
        EXPECT_GT(Claims.back().Handle, 0);
        Handles.insert(Claims.back().Handle);
    }
    EXPECT_EQ(Handles.size(), Claims.size());
    for (auto& Claim : Claims)
        FTable.Remove(Claim);
    EXPECT_TRUE(FFolder.Entries().empty());
}

TEST_F(WindowTableTest, FindsByBothNamesIgnoringOnlyTheCaseOfLatinLetters)
{
    auto Claim = Open({ "ThisIsTheLernixServerComponentWindowClass00AB12CD", "Server\xc4" });
    EXPECT_EQ(
        FTable.Find({ "thisisthelernixservercomponentwindowclass00ab12cd", "SERVER\xc4" }), Claim.Handle);
    EXPECT_EQ(FTable.Find({ "ThisIsTheLernixServerComponentWindowClass00AB12CD", "Server\xe4" }), 0);
    EXPECT_EQ(FTable.Find({ "ThisIsTheLernixServerComponentWindowClass00AB12CD", "" }), 0);
    EXPECT_EQ(FTable.Find({ "Server\xc4", "ThisIsTheLernixServerComponentWindowClass00AB12CD" }), 0);
}

TEST_F(WindowTableTest, NamesOfAnyBytesAndLengthRoundTrip)
{
    const TWindowNames Odd { std::string("a/b\n\0c", 6), std::string(MaxWindowNameLength, 'x') };
    auto Claim = Open(Odd);
    const auto Names = FTable.NamesOf(Claim.Handle);
    ASSERT_TRUE(Names);
    EXPECT_EQ(Names->ClassName, Odd.ClassName);
    EXPECT_EQ(Names->WindowName, Odd.WindowName);
    EXPECT_EQ(FTable.Find(Odd), Claim.Handle);
    EXPECT_THROW(
        FTable.Publish(Claim.Handle, { std::string(MaxWindowNameLength + 1, 'x'), "" }), EWindowMessaging);
}

TEST_F(WindowTableTest, TheLowestOfSeveralMatchesWins)
{
    auto First = Open({ "C", "N" });
    auto Second = Open({ "C", "N" });
    EXPECT_EQ(FTable.Find({ "C", "N" }), std::min(First.Handle, Second.Handle));
}

TEST_F(WindowTableTest, AWindowWhoseLockIsGoneIsDeadAndItsFilesAreRemoved)
{
    auto Live = Open({ "C", "Live" });
    auto Dead = Open({ "C", "Dead" });
    const TWindowHandle DeadHandle = Dead.Handle;
    // What the kernel does when the owner dies: the lock goes, the files stay.
    Dead.Lock.Reset();
    EXPECT_EQ(FFolder.Entries().size(), 4u);
    EXPECT_EQ(FTable.Find({ "C", "Live" }), Live.Handle);
    EXPECT_EQ(FFolder.Entries().size(), 2u);
    EXPECT_FALSE(FTable.IsLive(DeadHandle));
    EXPECT_FALSE(FTable.NamesOf(DeadHandle));
    EXPECT_TRUE(FTable.IsLive(Live.Handle));
}

TEST_F(WindowTableTest, ADamagedNameRecordMatchesNothing)
{
    auto Claim = Open({ "C", "N" });
    const std::string Record = FFolder.Path() + "/" + FFolder.Entries().at(1);
    ASSERT_TRUE(Record.ends_with(".name"));
    std::filesystem::resize_file(Record, 9);
    EXPECT_EQ(FTable.Find({ "C", "N" }), 0);
    EXPECT_FALSE(FTable.NamesOf(Claim.Handle));
    EXPECT_TRUE(FTable.IsLive(Claim.Handle));
}
