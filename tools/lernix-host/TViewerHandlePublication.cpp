#include "TViewerHandlePublication.h"

#include "HostDiscovery.h"
#include "Registry.h"

#include <stdexcept>

namespace {

std::string ReadViewerHandle()
{
    return ReadRegistryString(TRegistryRoot::LocalMachine, DemonRegistryKey, ViewerHandleValue);
}

} // namespace

// Written through the platform's registry layer and read back the way participants read
// it, so the two cannot drift apart unnoticed.
TViewerHandlePublication::TViewerHandlePublication(const std::string& Suffix)
    : FSuffix(Suffix)
    , FPrevious(platform::FindLocalMachineString(DemonRegistryKey, ViewerHandleValue))
{
    if (!platform::WriteLocalMachineString(DemonRegistryKey, ViewerHandleValue, Suffix)
        || ReadViewerHandle() != Suffix)
        throw std::runtime_error("cannot publish the suffix in "
            + platform::LocalMachineStore(DemonRegistryKey) + " (is it writable?)");
}

TViewerHandlePublication::~TViewerHandlePublication()
{
    if (ReadViewerHandle() == FSuffix)
        platform::WriteLocalMachineString(DemonRegistryKey, ViewerHandleValue, FPrevious);
}
