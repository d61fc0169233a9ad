#include "RuntimeFolder.h"

#include "SystemError.h"
#include "TWindowMessaging.h"
#include "UnixSocket.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr mode_t FolderMode = 0700;
// A window's socket is the folder followed by "/wHHHHHHHH.sock".
constexpr std::size_t SocketNameLength = 15;

std::string Environment(const char* Name)
{
    const char* Value = std::getenv(Name);
    return Value ? Value : "";
}

} // namespace

std::string RuntimeFolderPath()
{
    if (const std::string Own = Environment("LERNIX_RUNTIME_DIR"); !Own.empty())
        return Own;
    if (const std::string Xdg = Environment("XDG_RUNTIME_DIR"); !Xdg.empty())
        return Xdg + "/lernix";
    return "/tmp/lernix-" + std::to_string(::geteuid());
}

std::optional<std::string> RuntimeFolderProblem(const std::string& Path, uid_t User)
{
    struct stat Info { };
    if (::lstat(Path.c_str(), &Info) != 0)
        return GetLastErrorString();
    if (!S_ISDIR(Info.st_mode))
        return "it is not a directory";
    if (Info.st_uid != User)
        return "it belongs to user " + std::to_string(Info.st_uid);
    if ((Info.st_mode & 077) != 0)
        return "other users have access to it";
    return std::nullopt;
}

std::string PrepareRuntimeFolder()
{
    const std::string Path = RuntimeFolderPath();
    // Found here rather than at the first bind, so that the reason is the same everywhere.
    if (Path.size() + SocketNameLength > MaxSocketPathLength)
        throw EWindowMessaging("The runtime folder " + Path
            + " is too long for a socket path: " + std::to_string(Path.size()) + " bytes, at most "
            + std::to_string(MaxSocketPathLength - SocketNameLength));
    if (::mkdir(Path.c_str(), FolderMode) != 0 && errno != EEXIST)
        throw EWindowMessaging("Could not make the runtime folder " + Path + ": " + GetLastErrorString());
    if (const auto Problem = RuntimeFolderProblem(Path, ::geteuid()))
        throw EWindowMessaging("The runtime folder " + Path + " is not safe to use: " + *Problem);
    return Path;
}

} // namespace platform
