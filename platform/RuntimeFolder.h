#pragma once

#include <optional>
#include <string>
#include <sys/types.h>

// The per-user folder that holds the windows' sockets and records.
namespace platform {

// $LERNIX_RUNTIME_DIR when set, else $XDG_RUNTIME_DIR/lernix, else /tmp/lernix-<uid>.
std::string RuntimeFolderPath();
// Why Path cannot hold User's windows: missing, not a directory (a symbolic link
// counts as none), owned by someone else, or open to group or others. Nothing
// when it is fit.
std::optional<std::string> RuntimeFolderProblem(const std::string& Path, uid_t User);
// RuntimeFolderPath, made with mode 0700 when missing (its parent must exist),
// then checked. Throws EWindowMessaging naming the folder and the problem (also when
// the path leaves no room for a window's socket name).
std::string PrepareRuntimeFolder();

} // namespace platform
