#include "RawCommandLine.h"

namespace {

std::optional<std::vector<std::string>>& Kept()
{
    static std::optional<std::vector<std::string>> CommandLine;
    return CommandLine;
}

} // namespace

void KeepRawCommandLine(int Argc, const char* const* Argv)
{
    Kept().emplace(Argv, Argv + Argc);
}

const std::optional<std::vector<std::string>>& RawCommandLine()
{
    return Kept();
}
