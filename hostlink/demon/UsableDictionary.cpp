#include "UsableDictionary.h"

#include "TTolkar2000.h"
#include "TUniqueFd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// The file's bytes, or why they cannot be had; nothing at all when there is no such file.
struct TFileRead {
    bool Missing = false;
    std::string Bytes;
    std::optional<std::string> Problem;
};

std::string SystemReason()
{
    return std::string("cannot read it: ") + std::strerror(errno);
}

TFileRead ReadDictionaryFile(const std::string& File)
{
    // Opened without waiting and checked on the open file, so that a pipe or device put in
    // its place after a look at the name can never keep the read waiting.
    const platform::TUniqueFd Fd(::open(File.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (Fd.Get() < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return { true, {}, {} };
        return { false, {}, SystemReason() };
    }
    struct stat Status { };
    if (::fstat(Fd.Get(), &Status) != 0)
        return { false, {}, SystemReason() };
    if (S_ISDIR(Status.st_mode))
        return { false, {}, "it is a folder" };
    if (!S_ISREG(Status.st_mode))
        return { false, {}, "it is not a regular file" };
    if (auto Problem = DictionarySizeProblem(static_cast<std::size_t>(Status.st_size)))
        return { false, {}, std::move(Problem) };
    TFileRead Read;
    char Block[65536];
    for (;;) {
        const ssize_t Got = ::read(Fd.Get(), Block, sizeof Block);
        if (Got == 0)
            return Read;
        if (Got < 0 && errno != EINTR)
            return { false, {}, SystemReason() };
        if (Got > 0)
            Read.Bytes.append(Block, static_cast<std::size_t>(Got));
        // A file that grows while it is read is held to the same bound.
        if (auto Problem = DictionarySizeProblem(Read.Bytes.size()))
            return { false, {}, std::move(Problem) };
    }
}

} // namespace

std::string LoadFirstUsableDictionary(
    TTolkar2000& Engine, const std::vector<std::string>& Files, const TDictionaryComplaint& Complaint)
{
    for (const std::string& File : Files) {
        TFileRead Read = ReadDictionaryFile(File);
        if (Read.Missing)
            continue;
        if (!Read.Problem)
            Read.Problem = LoadDictionaryBytes(Engine, Read.Bytes);
        if (!Read.Problem)
            return File;
        Complaint(File, *Read.Problem);
    }
    return {};
}
