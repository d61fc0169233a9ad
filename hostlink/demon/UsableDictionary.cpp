#include "UsableDictionary.h"

#include "ItlFormat.h"
#include "TTolkar2000.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

// The file's bytes, or why they cannot be had; nothing at all when there is no such file.
struct TFileRead {
    bool Missing = false;
    std::string Bytes;
    std::optional<std::string> Problem;
};

TFileRead ReadDictionaryFile(const std::string& File)
{
    struct stat Status { };
    if (::stat(File.c_str(), &Status) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return { true, {}, {} };
        return { false, {}, std::string("cannot read it: ") + std::strerror(errno) };
    }
    if (S_ISDIR(Status.st_mode))
        return { false, {}, "it is a folder" };
    // A pipe or device could keep the read waiting for ever.
    if (!S_ISREG(Status.st_mode))
        return { false, {}, "it is not a regular file" };
    if (static_cast<std::size_t>(Status.st_size) > MaxDictionarySize)
        return { false, {},
            "it is larger than " + std::to_string(MaxDictionarySize / (1024 * 1024)) + " MiB" };
    std::ifstream In(File, std::ios::binary);
    if (!In)
        return { false, {}, std::string("cannot read it: ") + std::strerror(errno) };
    std::ostringstream Bytes;
    Bytes << In.rdbuf();
    return { false, std::move(Bytes).str(), {} };
}

} // namespace

std::optional<std::string> DictionaryProblem(std::string_view Bytes)
{
    if (Bytes.empty())
        return "it is empty";
    if (Bytes.find('\0') != std::string_view::npos)
        return "it is no text file (it holds NUL bytes)";
    const std::size_t Last = Bytes.rfind(ItlTerminator);
    if (Last == std::string_view::npos)
        return "it holds no entry of the form [key]=text|$$";
    if (Bytes.find_first_not_of(" \t\r\n", Last + ItlTerminator.size()) != std::string_view::npos)
        return "it ends inside an entry (the file may have been cut short)";
    return std::nullopt;
}

std::optional<std::string> LoadDictionaryBytes(TTolkar2000& Engine, const std::string& Bytes)
{
    if (auto Problem = DictionaryProblem(Bytes))
        return Problem;
    std::istringstream In(Bytes);
    Engine.LoadFromStream(In);
    return std::nullopt;
}

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
