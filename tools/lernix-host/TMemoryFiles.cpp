#include "TMemoryFiles.h"

TMemoryFiles::TMemoryFiles(std::map<std::string, std::string> Files)
    : FFiles(std::move(Files))
{
}

TFileLookup TMemoryFiles::ReadFile(const std::string& Name, std::size_t MaxSize) const
{
    const auto Inside = NameInsideFolder(Name);
    if (!Inside)
        return { std::nullopt, "the name is not a name inside the folder" };
    const auto Found = FFiles.find(*Inside);
    if (Found == FFiles.end())
        return { std::nullopt, "no such file" };
    if (Found->second.size() > MaxSize)
        return { std::nullopt, "larger than a reply can carry" };
    return { std::vector<std::uint8_t>(Found->second.begin(), Found->second.end()), {} };
}

std::optional<std::string> TMemoryFiles::Resolve(const std::string& Name) const
{
    return ServedName(Name);
}
