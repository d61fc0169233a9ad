#pragma once

#include <optional>
#include <string>
#include <vector>

// A fresh runtime folder of the host link (mode 0700, below the temporary folder), named in
// LERNIX_RUNTIME_DIR for this object's life, so that tests and benchmarks running side by
// side never meet each other's windows nor a user's. On destruction the variable gets back
// the value it had, and the folder is removed with everything in it.
class TPrivateRuntimeFolder {
public:
    // Throws std::runtime_error when no folder can be made.
    TPrivateRuntimeFolder();
    ~TPrivateRuntimeFolder();
    TPrivateRuntimeFolder(const TPrivateRuntimeFolder&) = delete;
    TPrivateRuntimeFolder& operator=(const TPrivateRuntimeFolder&) = delete;

    const std::string& Path() const { return FPath; }
    // File names in the folder, sorted.
    std::vector<std::string> Entries() const;

private:
    std::string FPath;
    std::optional<std::string> FFormer;
};
