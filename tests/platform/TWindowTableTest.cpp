#include "TWindowTable.h"

#include "TPrivateRuntimeFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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

    // The path of one of Handle's files: "lock", "name", ...
    std::string FileOf(TWindowHandle Handle, const std::string& Suffix) const
    {
        const std::string Socket = FTable.SocketPath(Handle);
        return Socket.substr(0, Socket.size() - std::string("sock").size()) + Suffix;
    }

    TPrivateRuntimeFolder FFolder;
    TWindowTable FTable { FFolder.Path() };
};

bool NamesSameFile(int Fd, const std::string& Path)
{
    struct stat Open {
    }, Named {};
    return ::fstat(Fd, &Open) == 0 && ::stat(Path.c_str(), &Named) == 0 && Open.st_ino == Named.st_ino;
}

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

TEST_F(WindowTableTest, OnlyARegularFileIsAWindowsLockOrRecord)
{
    auto Piped = Open({ "C", "Piped" });
    const TWindowHandle Handle = Piped.Handle;
    // A pipe in place of the lock, held locked by someone: no window is alive there.
    Piped.Lock.Reset();
    ::unlink(FileOf(Handle, "lock").c_str());
    ASSERT_EQ(::mkfifo(FileOf(Handle, "lock").c_str(), 0600), 0);
    const TUniqueFd Pipe(::open(FileOf(Handle, "lock").c_str(), O_RDWR | O_NONBLOCK));
    ASSERT_EQ(::flock(Pipe.Get(), LOCK_EX | LOCK_NB), 0);
    ASSERT_FALSE(FTable.IsLive(Handle));
    EXPECT_EQ(FTable.Find({ "C", "Piped" }), 0);

    // A live window whose record is a pipe nobody writes: reading it must not block.
    auto Live = Open({ "C", "Live" });
    ::unlink(FileOf(Live.Handle, "name").c_str());
    ASSERT_EQ(::mkfifo(FileOf(Live.Handle, "name").c_str(), 0600), 0);
    EXPECT_FALSE(FTable.NamesOf(Live.Handle));
    EXPECT_EQ(FTable.Find({ "C", "Live" }), 0);
}

TEST_F(WindowTableTest, AWindowMadeDuringALivenessTestIsNotRemovedByIt)
{
    // The race: a liveness test opens a dead window's lock file; meanwhile a cleaner
    // removes that window and a new one takes the handle; then the test locks the
    // file it opened, which nobody holds any more.
    auto Claim = FTable.Claim();
    const TWindowHandle Handle = Claim.Handle;
    FTable.Remove(Claim);
    const std::string LockPath = FileOf(Handle, "lock");
    const std::string NamePath = FileOf(Handle, "name");
    std::atomic<bool> Stop = false;
    std::thread Checker([&] {
        TWindowTable Other(FFolder.Path());
        while (!Stop)
            Other.IsLive(Handle);
    });
    int Lost = 0;
    const auto Until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < Until && Lost == 0) {
        // A window dies: its lock file stays, free.
        TUniqueFd(::open(LockPath.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600));
        FTable.IsLive(Handle);
        // A new window takes the handle the way a claim does.
        TUniqueFd Lock(::open(LockPath.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600));
        if (::flock(Lock.Get(), LOCK_EX | LOCK_NB) != 0 || !NamesSameFile(Lock.Get(), LockPath))
            continue;
        TUniqueFd(::open(NamePath.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600));
        std::this_thread::sleep_for(std::chrono::microseconds(50));
        if (::access(LockPath.c_str(), F_OK) != 0 || ::access(NamePath.c_str(), F_OK) != 0)
            ++Lost;
        ::unlink(NamePath.c_str());
        ::unlink(LockPath.c_str());
    }
    Stop = true;
    Checker.join();
    EXPECT_EQ(Lost, 0) << "a live window's files were removed";
}
