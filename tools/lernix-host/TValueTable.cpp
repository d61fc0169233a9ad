#include "TValueTable.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

TValueTable TValueTable::Load(const std::string& Path)
{
    std::ifstream File(Path, std::ios::binary);
    if (!File || std::filesystem::is_directory(Path))
        throw std::runtime_error("cannot read the values file " + Path);
    std::ostringstream Text;
    // An empty file leaves the failbit on Text, and is still a fine file.
    Text << File.rdbuf();
    TValueTable Table;
    std::istringstream Lines(Text.str());
    std::string Line;
    for (int Number = 1; std::getline(Lines, Line); ++Number) {
        if (Line.ends_with('\r'))
            Line.pop_back();
        if (Line.empty() || Line.starts_with('#'))
            continue;
        const std::size_t Equals = Line.find('=');
        if (Equals == std::string::npos || Equals == 0)
            throw std::runtime_error(
                Path + ":" + std::to_string(Number) + ": expected KEY=VALUE with a non-empty key");
        Table.FValues[Line.substr(0, Equals)] = Line.substr(Equals + 1);
    }
    return Table;
}

std::optional<std::string> TValueTable::Lookup(const std::string& Key) const
{
    const auto Found = FValues.find(Key);
    if (Found == FValues.end())
        return std::nullopt;
    return Found->second;
}
