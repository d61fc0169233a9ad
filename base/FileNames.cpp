#include "FileNames.h"

namespace {

constexpr std::string_view FolderSeparators = "/\\:";

std::size_t FileNameStart(std::string_view Path)
{
    const std::size_t Cut = Path.find_last_of(FolderSeparators);
    return Cut == std::string_view::npos ? 0 : Cut + 1;
}

} // namespace

std::string ExtractFileName(std::string_view Path)
{
    return std::string(Path.substr(FileNameStart(Path)));
}

std::string ExtractFilePath(std::string_view Path)
{
    return std::string(Path.substr(0, FileNameStart(Path)));
}

std::string ReplaceFileExtension(std::string_view Path, std::string_view Extension)
{
    const std::size_t Start = FileNameStart(Path);
    const std::size_t Dot = Path.rfind('.');
    std::string Result(Dot == std::string_view::npos || Dot < Start ? Path : Path.substr(0, Dot));
    return Result.append(Extension);
}
