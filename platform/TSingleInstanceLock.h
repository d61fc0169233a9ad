#pragma once

#include "TUniqueFd.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The mark of a program's first running copy, standing in for a named mutex: an exclusive
// flock on a file in the runtime folder. The kernel drops it when its holder ends, however it
// ends, so a killed copy never keeps the next one from starting.
class TSingleInstanceLock {
public:
    // Takes the lock Name in Folder (which must be the user's own, see RuntimeFolder.h). Gives
    // the held lock, or nothing when another process holds it. Throws EWindowMessaging when
    // the lock file cannot be made or opened, or is not a regular file.
    static std::optional<TSingleInstanceLock> TryAcquire(const std::string& Folder, const std::string& Name);

    // A positive number that identifies the held lock within this process (its descriptor).
    std::int32_t Handle() const { return FFile.Get(); }

private:
    explicit TSingleInstanceLock(TUniqueFd File);

    TUniqueFd FFile;
};

// The lock file's name for Name: any bytes (separators, NUL, 300 of them) give a short name
// of letters and digits, and different names give different files.
std::string SingleInstanceLockFileName(const std::string& Name);

} // namespace platform
