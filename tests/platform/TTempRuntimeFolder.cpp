#include "TTempRuntimeFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace platform::test {

TTempRuntimeFolder::TTempRuntimeFolder()
{
    std::string Template = "/tmp/lxtest-XXXXXX";
    if (!::mkdtemp(Template.data()))
        throw std::runtime_error("mkdtemp failed");
    FPath = Template;
    ::setenv("LERNIX_RUNTIME_DIR", FPath.c_str(), 1);
}

TTempRuntimeFolder::~TTempRuntimeFolder()
{
    ::unsetenv("LERNIX_RUNTIME_DIR");
    std::error_code Ignored;
    std::filesystem::remove_all(FPath, Ignored);
}

std::vector<std::string> TTempRuntimeFolder::Entries() const
{
    std::vector<std::string> Names;
    for (const auto& Entry : std::filesystem::directory_iterator(FPath))
        Names.push_back(Entry.path().filename().string());
    std::ranges::sort(Names);
    return Names;
}

} // namespace platform::test
