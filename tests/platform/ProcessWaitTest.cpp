#include "ProcessWait.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace {

pid_t ForkChild(int ExitCode, bool WaitForKill)
{
    const pid_t Child = ::fork();
    if (Child == 0) {
        if (WaitForKill)
            ::pause();
        ::_exit(ExitCode);
    }
    return Child;
}

} // namespace

TEST(ProcessWait, AChildsStatusIsKnown)
{
    const pid_t Exits = ForkChild(7, false);
    ASSERT_GT(Exits, 0);
    TProcessEnd End = WaitForProcessEnd(Exits);
    EXPECT_EQ(End.Outcome, TProcessWaitOutcome::Ended);
    EXPECT_EQ(End.ExitCode, 7);
    // Reaped by the wait: the process id names nothing now.
    EXPECT_EQ(::waitpid(Exits, nullptr, WNOHANG), -1);

    const pid_t Killed = ForkChild(0, true);
    ASSERT_GT(Killed, 0);
    ::kill(Killed, SIGKILL);
    End = WaitForProcessEnd(Killed);
    EXPECT_EQ(End.Outcome, TProcessWaitOutcome::Ended);
    EXPECT_EQ(End.ExitCode, 128 + SIGKILL);
}

TEST(ProcessWait, AnotherProgramsProcessIsWaitedForWithoutItsStatus)
{
    QTemporaryDir Folder;
    const QString Marker = Folder.filePath("done");
    qint64 Process = 0;
    ASSERT_TRUE(QProcess::startDetached(
        "sh", { "-c", "sleep 0.3; echo > \"$0\"; exit 3", Marker }, QString(), &Process));
    const TProcessEnd End = WaitForProcessEnd(static_cast<std::int32_t>(Process));
    EXPECT_EQ(End.Outcome, TProcessWaitOutcome::EndedStatusUnknown);
    EXPECT_TRUE(QFileInfo::exists(Marker));

    // Gone before the wait began: it has ended, how is not known.
    EXPECT_EQ(WaitForProcessEnd(static_cast<std::int32_t>(Process)).Outcome,
        TProcessWaitOutcome::EndedStatusUnknown);
}

TEST(ProcessWait, NoProcessIdIsNothingToWaitFor)
{
    for (const std::int32_t Pid : { 0, -1, -2147483647 - 1 }) {
        const TProcessEnd End = WaitForProcessEnd(Pid);
        EXPECT_EQ(End.Outcome, TProcessWaitOutcome::CannotWait);
        EXPECT_FALSE(End.Why.empty());
    }
}

TEST(ProcessWait, ProcessesThatOutliveTheWaitAreRefusedAtOnce)
{
    for (const std::int32_t Pid : { 1, static_cast<std::int32_t>(::getpid()) }) {
        const TProcessEnd End = WaitForProcessEnd(Pid);
        EXPECT_EQ(End.Outcome, TProcessWaitOutcome::CannotWait) << Pid;
        EXPECT_FALSE(End.Why.empty());
    }
}
