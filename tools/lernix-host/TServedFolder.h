#pragma once

#include "TUniqueFd.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The answer to a request for one file.
struct TFileLookup {
    // The file's bytes, or nothing when the file is not served.
    std::optional<std::vector<std::uint8_t>> Bytes;
    // Why the file is not served; empty when it is.
    std::string Refusal;
};

// The files below one folder, as lmGetFile and lmResolveName see them. Names are
// relative to the folder with "/" between folders. A name is refused when it is
// empty, holds a NUL byte or a ".." part, or, for files, is absolute; a symbolic
// link may point anywhere inside the folder but never out of it (the kernel
// checks every step, so a link swapped in meanwhile cannot lead out either).
class TServedFolder {
public:
    // Opens Path. Throws std::runtime_error when it is not a folder that can be read.
    explicit TServedFolder(const std::string& Path);

    // The bytes of the regular file Name, when it has at most MaxSize bytes.
    // Anything else (a folder, a pipe, a device) is refused without reading.
    TFileLookup ReadFile(const std::string& Name, std::size_t MaxSize) const;
    // The name under which Name is served: relative names come back without "."
    // parts and doubled slashes; an absolute name (a participant's program file,
    // say) stands for the file of the same file name in the folder. The file need
    // not exist. Nothing when the name is refused or a link on its way leads out.
    std::optional<std::string> Resolve(const std::string& Name) const;

private:
    // Opens Name below the folder with Flags; -1 and errno as openat2 leaves them.
    platform::TUniqueFd OpenBeneath(const std::string& Name, int Flags) const;

    platform::TUniqueFd FFolder;
};

// Name with "." parts and empty parts dropped, or nothing when it is empty,
// absolute, holds a NUL byte or a ".." part.
std::optional<std::string> NameInsideFolder(const std::string& Name);
