#include "TServedFolder.h"

#include "FileNames.h"
#include "SystemError.h"
#include "TEntity.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/openat2.h>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

std::string RefusalText(int Error)
{
    if (Error == ENOENT || Error == ENOTDIR)
        return "no such file";
    if (Error == EXDEV || Error == ELOOP)
        return "the name leads out of the folder";
    return platform::SystemErrorText(Error);
}

} // namespace

std::optional<std::string> NameInsideFolder(const std::string& Name)
{
    if (Name.empty() || Name.front() == '/' || Name.find('\0') != std::string::npos)
        return std::nullopt;
    std::string Inside;
    std::size_t Start = 0;
    while (Start <= Name.size()) {
        const std::size_t End = std::min(Name.find('/', Start), Name.size());
        const std::string Part = Name.substr(Start, End - Start);
        Start = End + 1;
        if (Part == "..")
            return std::nullopt;
        if (Part.empty() || Part == ".")
            continue;
        if (!Inside.empty())
            Inside += '/';
        Inside += Part;
    }
    if (Inside.empty())
        return std::nullopt;
    return Inside;
}

TServedFolder::TServedFolder(const std::string& Path)
    : FFolder(::open(Path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
    if (!FFolder.Valid())
        throw std::runtime_error("cannot serve the folder " + Path + ": " + platform::GetLastErrorString());
}

platform::TUniqueFd TServedFolder::OpenBeneath(const std::string& Name, int Flags) const
{
    open_how How {};
    How.flags = static_cast<std::uint64_t>(Flags | O_CLOEXEC);
    How.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
    return platform::TUniqueFd(
        static_cast<int>(::syscall(SYS_openat2, FFolder.Get(), Name.c_str(), &How, sizeof How)));
}

TFileLookup TServedFolder::ReadFile(const std::string& Name, std::size_t MaxSize) const
{
    const auto Inside = NameInsideFolder(Name);
    if (!Inside)
        return { std::nullopt, "the name is not a name inside the folder" };
    // Without O_NONBLOCK, opening a named pipe would wait for a writer.
    const platform::TUniqueFd File = OpenBeneath(*Inside, O_RDONLY | O_NONBLOCK | O_NOCTTY);
    if (!File.Valid())
        return { std::nullopt, RefusalText(errno) };
    struct stat Info { };
    if (::fstat(File.Get(), &Info) != 0 || !S_ISREG(Info.st_mode))
        return { std::nullopt, "not a regular file" };
    if (static_cast<std::uint64_t>(Info.st_size) > MaxSize)
        return { std::nullopt, "larger than a reply can carry" };
    std::vector<std::uint8_t> Bytes(static_cast<std::size_t>(Info.st_size));
    std::size_t Filled = 0;
    // The file may change while it is read: read what is there, but never past MaxSize.
    for (;;) {
        if (Filled == Bytes.size())
            Bytes.resize(std::min(MaxSize + 1, Bytes.size() + 64 * 1024));
        const ssize_t Got = ::read(File.Get(), Bytes.data() + Filled, Bytes.size() - Filled);
        if (Got < 0 && errno == EINTR)
            continue;
        if (Got < 0)
            return { std::nullopt, platform::GetLastErrorString() };
        if (Got == 0)
            break;
        Filled += static_cast<std::size_t>(Got);
        if (Filled > MaxSize)
            return { std::nullopt, "larger than a reply can carry" };
    }
    Bytes.resize(Filled);
    return { std::move(Bytes), {} };
}

std::optional<std::string> TServedFolder::Resolve(const std::string& Name) const
{
    const auto Inside = NameInsideFolder(Name.starts_with('/') ? ExtractFileName(Name) : Name);
    if (!Inside)
        return std::nullopt;
    const platform::TUniqueFd Found = OpenBeneath(*Inside, O_PATH);
    if (!Found.Valid() && errno != ENOENT && errno != ENOTDIR)
        return std::nullopt;
    return Inside;
}
