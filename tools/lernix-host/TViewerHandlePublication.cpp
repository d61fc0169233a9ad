#include "TViewerHandlePublication.h"

#include "HostDiscovery.h"
#include "Registry.h"
#include "TUniqueFd.h"

#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The store's file as it was before the publication, made ready while nothing hurries, so
// that a signal handler only has to write it back.
struct TStoreBefore {
    std::string Path;
    std::string Temporary;
    std::optional<std::string> Bytes;
};
TStoreBefore Before;
volatile std::sig_atomic_t Armed = 0;

// The file's bytes, or none when there is no regular file (the registry layer refuses
// anything else, so nothing is written over it either).
std::optional<std::string> ReadStoreFile(const std::string& Path)
{
    const platform::TUniqueFd File(::open(Path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat Info { };
    if (!File.Valid() || ::fstat(File.Get(), &Info) != 0 || !S_ISREG(Info.st_mode))
        return std::nullopt;
    std::string Bytes;
    char Buffer[4096];
    for (ssize_t Got; (Got = ::read(File.Get(), Buffer, sizeof Buffer)) > 0;)
        Bytes.append(Buffer, static_cast<std::size_t>(Got));
    return Bytes;
}

} // namespace

// Written through the platform's registry layer and read back the way participants read
// it, so the two cannot drift apart unnoticed.
TViewerHandlePublication::TViewerHandlePublication(const std::string& Suffix)
    : FSuffix(Suffix)
    , FPrevious(platform::FindLocalMachineString(DemonRegistryKey, ViewerHandleValue))
{
    const std::string Store = platform::LocalMachineStore(DemonRegistryKey);
    Before = { Store, Store + ".restore", ReadStoreFile(Store) };
    if (!platform::WriteLocalMachineString(DemonRegistryKey, ViewerHandleValue, Suffix)
        || ReadViewerHandle() != Suffix) {
        platform::WriteLocalMachineString(DemonRegistryKey, ViewerHandleValue, FPrevious);
        throw std::runtime_error("cannot publish the suffix in " + Store + " (is it writable?)");
    }
    Armed = 1;
}

TViewerHandlePublication::~TViewerHandlePublication()
{
    Armed = 0;
    if (ReadViewerHandle() == FSuffix)
        platform::WriteLocalMachineString(DemonRegistryKey, ViewerHandleValue, FPrevious);
}

void TViewerHandlePublication::RestoreInHaste()
{
    if (!Armed)
        return;
    Armed = 0;
    if (!Before.Bytes) {
        ::unlink(Before.Path.c_str());
        return;
    }
    const int File
        = ::open(Before.Temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (File < 0)
        return;
    const bool Whole = ::write(File, Before.Bytes->data(), Before.Bytes->size())
        == static_cast<ssize_t>(Before.Bytes->size());
    ::close(File);
    if (!Whole || ::rename(Before.Temporary.c_str(), Before.Path.c_str()) != 0)
        ::unlink(Before.Temporary.c_str());
}
