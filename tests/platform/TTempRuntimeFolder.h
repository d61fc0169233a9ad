#pragma once

#include <string>
#include <vector>

namespace platform::test {

// A fresh folder set as LERNIX_RUNTIME_DIR for the test's life, removed afterwards.
class TTempRuntimeFolder {
public:
    TTempRuntimeFolder();
    ~TTempRuntimeFolder();
    TTempRuntimeFolder(const TTempRuntimeFolder&) = delete;
    TTempRuntimeFolder& operator=(const TTempRuntimeFolder&) = delete;

    const std::string& Path() const { return FPath; }
    // File names in the folder, sorted.
    std::vector<std::string> Entries() const;

private:
    std::string FPath;
};

} // namespace platform::test
