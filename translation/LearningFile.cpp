#include "LearningFile.h"

#include "FileNames.h"
#include "LocaleDictionary.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <fcntl.h>
#include <random>
#include <system_error>
#include <unistd.h>

namespace {

// Fresh random names to try before giving up; a name already taken is unlikely even once.
constexpr int TemporaryNameTries = 16;

TWriteFailure Failure(const std::filesystem::path& Target, int Error)
{
    return { "cannot write the learning file \"" + Target.string()
        + "\": " + std::system_category().message(Error) };
}

std::string RandomHex(std::random_device& Random)
{
    const std::uint64_t Value = std::uint64_t { Random() } << 32 | Random();
    std::array<char, 16> Digits {};
    const auto Written = std::to_chars(Digits.data(), Digits.data() + Digits.size(), Value, 16);
    return { Digits.data(), Written.ptr };
}

struct TTemporaryFile {
    int Descriptor = -1;
    std::filesystem::path Path;
    // Why it could not be made, when Descriptor is -1.
    int Error = 0;
};

// A new file beside Target under a random name. O_EXCL and O_NOFOLLOW refuse whatever already
// stands at the name, a link above all, so the bytes can only land in a file made here.
TTemporaryFile CreateTemporaryBeside(const std::filesystem::path& Target)
{
    std::random_device Random;
    TTemporaryFile Temporary;
    for (int Try = 0; Try < TemporaryNameTries; ++Try) {
        Temporary.Path = Target;
        Temporary.Path += "." + RandomHex(Random) + ".tmp";
        Temporary.Descriptor
            = ::open(Temporary.Path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (Temporary.Descriptor >= 0)
            return Temporary;
        Temporary.Error = errno;
        if (Temporary.Error != EEXIST)
            break;
    }
    return Temporary;
}

// 0 when all of Bytes was written, otherwise the error.
int WriteAll(int Descriptor, std::string_view Bytes)
{
    while (!Bytes.empty()) {
        const ssize_t Written = ::write(Descriptor, Bytes.data(), Bytes.size());
        if (Written < 0 && errno == EINTR)
            continue;
        if (Written <= 0)
            return Written < 0 ? errno : EIO;
        Bytes.remove_prefix(static_cast<std::size_t>(Written));
    }
    return 0;
}

} // namespace

std::string LearningFileName(std::string_view ProgramPath)
{
    // The dictionary's name, in the current directory.
    return ExtractFileName(DictionaryFileName(ProgramPath));
}

std::optional<std::filesystem::path> ProgramFilePath()
{
    std::error_code Error;
    const std::filesystem::path Path = std::filesystem::read_symlink("/proc/self/exe", Error);
    if (Error || Path.empty())
        return std::nullopt;
    return Path;
}

std::optional<TWriteFailure> SaveLinesReplacing(
    const std::filesystem::path& Target, const std::vector<std::string>& Lines)
{
    std::string Bytes;
    for (const std::string& Line : Lines)
        Bytes.append(Line).append("\r\n");
    const TTemporaryFile Temporary = CreateTemporaryBeside(Target);
    if (Temporary.Descriptor < 0)
        return Failure(Target, Temporary.Error);
    int Error = WriteAll(Temporary.Descriptor, Bytes);
    if (Error == 0 && ::fsync(Temporary.Descriptor) != 0)
        Error = errno;
    if (::close(Temporary.Descriptor) != 0 && Error == 0)
        Error = errno;
    if (Error == 0 && ::rename(Temporary.Path.c_str(), Target.c_str()) != 0)
        Error = errno;
    if (Error != 0) {
        ::unlink(Temporary.Path.c_str());
        return Failure(Target, Error);
    }
    return std::nullopt;
}
