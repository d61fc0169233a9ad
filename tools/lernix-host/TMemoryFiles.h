#pragma once

#include "TFileSource.h"

#include <map>
#include <string>

// Files held in memory, by the names they are served under: a host for tests and
// benchmarks that needs no folder, with the same name rules as a served folder.
class TMemoryFiles : public TFileSource {
public:
    explicit TMemoryFiles(std::map<std::string, std::string> Files);

    TFileLookup ReadFile(const std::string& Name, std::size_t MaxSize) const override;
    std::optional<std::string> Resolve(const std::string& Name) const override;

private:
    std::map<std::string, std::string> FFiles;
};
