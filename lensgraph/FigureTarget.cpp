#include "FigureTarget.h"

#include "AsciiCase.h"

#include <array>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// Picture formats a user may expect from the name but that are not written: PNG
// and SVG are, and a name with any other ending gets PNG.
constexpr std::array<std::string_view, 8> OtherPictureEndings
    = { ".jpg", ".jpeg", ".jpe", ".gif", ".bmp", ".tif", ".tiff", ".webp" };

std::optional<std::string> NameProblem(const std::string& FileName)
{
    const std::string Lower = LowerAscii(FileName);
    for (const std::string_view Ending : OtherPictureEndings)
        if (Lower.ends_with(Ending))
            return "a name ending in " + std::string(Ending)
                + " asks for a format that is not written; name the file .png or .svg";
    return std::nullopt;
}

std::optional<std::string> TypeProblem(fs::file_type Type)
{
    switch (Type) {
    case fs::file_type::not_found:
    case fs::file_type::regular:
    case fs::file_type::none:
    case fs::file_type::unknown:
        return std::nullopt;
    case fs::file_type::directory:
        return "it is a folder";
    case fs::file_type::character:
    case fs::file_type::block:
        return "it is a device, not a regular file";
    case fs::file_type::fifo:
        return "it is a named pipe, not a regular file (- writes to standard output)";
    case fs::file_type::socket:
        return "it is a socket, not a regular file";
    default:
        return "it is not a regular file";
    }
}

} // namespace

std::optional<std::string> FigureTargetProblem(const std::string& FileName)
{
    if (auto Problem = NameProblem(FileName))
        return Problem;
    std::error_code Error;
    const fs::file_status Status = fs::status(FileName, Error);
    return TypeProblem(Error ? fs::file_type::none : Status.type());
}
