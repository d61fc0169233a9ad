#include "LearningFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace {

constexpr std::string_view FolderSeparators = "/\\:";
constexpr std::string_view LearningExtension = ".itl";

TWriteFailure Failure(const std::filesystem::path& Target, const std::string& Reason)
{
    return { "cannot write the learning file \"" + Target.string() + "\": " + Reason };
}

} // namespace

std::string LearningFileName(std::string_view ProgramPath)
{
    const std::size_t folderEnd = ProgramPath.find_last_of(FolderSeparators);
    std::string name(folderEnd == std::string_view::npos ? ProgramPath : ProgramPath.substr(folderEnd + 1));
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.resize(dot);
    return name.append(LearningExtension);
}

std::optional<std::filesystem::path> ProgramFilePath()
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || path.empty())
        return std::nullopt;
    return path;
}

std::optional<TWriteFailure> SaveLinesReplacing(
    const std::filesystem::path& Target, const std::vector<std::string>& Lines)
{
    std::filesystem::path temporary = Target;
    temporary += "." + std::to_string(::getpid()) + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return Failure(Target, std::strerror(errno));
        for (const std::string& line : Lines)
            out << line << "\r\n";
        out.close();
        if (!out) {
            const std::string reason = std::strerror(errno);
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return Failure(Target, reason);
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, Target, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return Failure(Target, error.message());
    }
    return std::nullopt;
}
