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
    const pid_t child = ::fork();
    if (child == 0) {
        if (WaitForKill)
            ::pause();
        ::_exit(ExitCode);
    }
    return child;
}

} // namespace

TEST(ProcessWait, AChildsStatusIsKnown)
{
    const pid_t exits = ForkChild(7, false);
    ASSERT_GT(exits, 0);
    TProcessEnd end = WaitForProcessEnd(exits);
    EXPECT_EQ(end.Outcome, TProcessWaitOutcome::Ended);
    EXPECT_EQ(end.ExitCode, 7);
    // Reaped by the wait: the process id names nothing now.
    EXPECT_EQ(::waitpid(exits, nullptr, WNOHANG), -1);

    const pid_t killed = ForkChild(0, true);
    ASSERT_GT(killed, 0);
    ::kill(killed, SIGKILL);
    end = WaitForProcessEnd(killed);
    EXPECT_EQ(end.Outcome, TProcessWaitOutcome::Ended);
    EXPECT_EQ(end.ExitCode, 128 + SIGKILL);
}

TEST(ProcessWait, AnotherProgramsProcessIsWaitedForWithoutItsStatus)
{
    QTemporaryDir folder;
    const QString marker = folder.filePath("done");
    qint64 process = 0;
    ASSERT_TRUE(QProcess::startDetached(
        "sh", { "-c", "sleep 0.3; echo > \"$0\"; exit 3", marker }, QString(), &process));
    const TProcessEnd end = WaitForProcessEnd(static_cast<std::int32_t>(process));
    EXPECT_EQ(end.Outcome, TProcessWaitOutcome::EndedStatusUnknown);
    EXPECT_TRUE(QFileInfo::exists(marker));

    // Gone before the wait began: it has ended, how is not known.
    EXPECT_EQ(WaitForProcessEnd(static_cast<std::int32_t>(process)).Outcome,
        TProcessWaitOutcome::EndedStatusUnknown);
}

TEST(ProcessWait, NoProcessIdIsNothingToWaitFor)
{
    for (const std::int32_t pid : { 0, -1, -2147483647 - 1 }) {
        const TProcessEnd end = WaitForProcessEnd(pid);
        EXPECT_EQ(end.Outcome, TProcessWaitOutcome::CannotWait);
        EXPECT_FALSE(end.Why.empty());
    }
}
