#pragma once

#include "TUniqueFd.h"
#include "TWindowMessaging.h"

#include <optional>
#include <random>
#include <string>

// The windows of all processes of the user, as files in the runtime folder.
// Window h (8 lower-case hex digits) owns:
//   w<h>.lock  held with flock(LOCK_EX) by the live owner; the kernel drops the
//              lock when the owner dies, so a free lock means a dead window;
//   w<h>.sock  the listening socket;
//   w<h>.name  the name record: "LXNR", then the class name and the window name,
//              each as a 32-bit little-endian length and that many bytes.
namespace platform {

// The longest class name or window name.
inline constexpr std::size_t MaxWindowNameLength = 4096;

// A handle that this process holds, with the lock that keeps it.
struct TWindowClaim {
    TWindowHandle Handle = 0;
    TUniqueFd Lock;
};

class TWindowTable {
public:
    explicit TWindowTable(std::string Folder);

    // Locks a free random handle and removes what a dead owner left under it.
    // Throws EWindowMessaging when no handle can be locked.
    TWindowClaim Claim();
    std::string SocketPath(TWindowHandle Handle) const;
    // Makes the claimed window findable by Names, in one step (write, then rename).
    // Throws EWindowMessaging for overlong names or a write failure.
    void Publish(TWindowHandle Handle, const TWindowNames& Names);
    // Removes the window's files while its lock is still held, then drops the lock.
    void Remove(TWindowClaim& Claim);

    // The lowest live handle whose names match (A to Z equal to a to z). Every
    // dead window met on the way is removed.
    TWindowHandle Find(const TWindowNames& Names);
    // True while some process holds Handle's lock, a regular file. A dead window's
    // files are removed, but only while the lock taken is still the file its path
    // names: a lock file made anew meanwhile belongs to a new window.
    bool IsLive(TWindowHandle Handle);
    std::optional<TWindowNames> NamesOf(TWindowHandle Handle);

private:
    std::string PathOf(TWindowHandle Handle, const char* Suffix) const;
    void RemoveFiles(TWindowHandle Handle);
    std::optional<TWindowNames> ReadRecord(TWindowHandle Handle) const;

    std::string FFolder;
    std::mt19937 FRandom;
};

} // namespace platform
