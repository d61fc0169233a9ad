#include "TSingleInstanceLock.h"

#include "SystemError.h"
#include "TWindowMessaging.h"

#include <QCryptographicHash>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace platform {

namespace {

constexpr mode_t LockFileMode = 0600;
// Descriptors 0 to 2 may be closed and reused; a lock held on one of them could report the
// handle 0, which means "no lock".
constexpr int LowestLockDescriptor = 3;

} // namespace

std::string SingleInstanceLockFileName(const std::string& Name)
{
    const QByteArray Digest
        = QCryptographicHash::hash(QByteArray::fromStdString(Name), QCryptographicHash::Sha256).toHex();
    return "single-" + Digest.toStdString() + ".lock";
}

TSingleInstanceLock::TSingleInstanceLock(TUniqueFd File)
    : FFile(std::move(File))
{
}

std::optional<TSingleInstanceLock> TSingleInstanceLock::TryAcquire(
    const std::string& Folder, const std::string& Name)
{
    const std::string Path = Folder + "/" + SingleInstanceLockFileName(Name);
    // O_NONBLOCK keeps a FIFO planted under the name from stalling the open.
    TUniqueFd Opened(
        ::open(Path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, LockFileMode));
    if (!Opened.Valid())
        throw EWindowMessaging("Could not open the lock file " + Path + ": " + GetLastErrorString());
    struct stat Info { };
    if (::fstat(Opened.Get(), &Info) != 0 || !S_ISREG(Info.st_mode))
        throw EWindowMessaging("The lock file " + Path + " is not a regular file");
    TUniqueFd File(::fcntl(Opened.Get(), F_DUPFD_CLOEXEC, LowestLockDescriptor));
    if (!File.Valid())
        throw EWindowMessaging("Could not open the lock file " + Path + ": " + GetLastErrorString());
    Opened.Reset();
    while (::flock(File.Get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            return std::nullopt;
        if (errno != EINTR)
            throw EWindowMessaging("Could not lock " + Path + ": " + GetLastErrorString());
    }
    return TSingleInstanceLock(std::move(File));
}

} // namespace platform
