#pragma once

#include "TFileSource.h"
#include "TUniqueFd.h"

#include <cstddef>
#include <optional>
#include <string>

// The files below one folder. A symbolic link may point anywhere inside the folder
// but never out of it (the kernel checks every step, so a link swapped in meanwhile
// cannot lead out either).
class TServedFolder : public TFileSource {
public:
    // Opens Path. Throws std::runtime_error when it is not a folder that can be read.
    explicit TServedFolder(const std::string& Path);

    // Anything but a regular file (a folder, a pipe, a device) is refused without reading.
    TFileLookup ReadFile(const std::string& Name, std::size_t MaxSize) const override;
    // Nothing also when a link on the name's way leads out.
    std::optional<std::string> Resolve(const std::string& Name) const override;

private:
    // Opens Name below the folder with Flags; -1 and errno as openat2 leaves them.
    platform::TUniqueFd OpenBeneath(const std::string& Name, int Flags) const;

    platform::TUniqueFd FFolder;
};
