#include "TPrivateRuntimeFolder.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace {

constexpr const char* RuntimeVariable = "LERNIX_RUNTIME_DIR";

} // namespace

TPrivateRuntimeFolder::TPrivateRuntimeFolder()
{
    // mkdtemp makes the folder 0700, which the host link demands of its folder.
    std::string Template = (std::filesystem::temp_directory_path() / "lernix-XXXXXX").string();
    if (!::mkdtemp(Template.data()))
        throw std::runtime_error("cannot make a runtime folder: " + std::string(std::strerror(errno)));
    FPath = Template;
    if (const char* Former = std::getenv(RuntimeVariable))
        FFormer = Former;
    ::setenv(RuntimeVariable, FPath.c_str(), 1);
}

TPrivateRuntimeFolder::~TPrivateRuntimeFolder()
{
    if (FFormer)
        ::setenv(RuntimeVariable, FFormer->c_str(), 1);
    else
        ::unsetenv(RuntimeVariable);
    std::error_code Ignored;
    std::filesystem::remove_all(FPath, Ignored);
}

std::vector<std::string> TPrivateRuntimeFolder::Entries() const
{
    std::vector<std::string> Names;
    for (const auto& Entry : std::filesystem::directory_iterator(FPath))
        Names.push_back(Entry.path().filename().string());
    std::ranges::sort(Names);
    return Names;
}
